#include "hardware/Digitemp.h"

#include "hardware/Konfiguration.h"

#include <sys/stat.h>
#include <unistd.h>

namespace kw {

std::string Befehl::text() const
{
    std::string t = programm;
    for (auto& a : argumente)
        t += " " + a;
    return t;
}

std::string Digitemp_Programm(const std::string& Programmpfad, const std::string& NameDigitemp)
{
    std::string imOrdner = Pfad_Verbinden(Programmpfad, NameDigitemp);
    struct stat st {};
    if (!NameDigitemp.empty() && ::stat(imOrdner.c_str(), &st) == 0 && S_ISREG(st.st_mode)
        && ::access(imOrdner.c_str(), X_OK) == 0)
        return imOrdner;
    return NameDigitemp;
}

std::string Logdatei_Pfad(const std::string& Programmpfad, const std::string& NameLogFile)
{
    return Pfad_Verbinden(Programmpfad, NameLogFile + ".TXT");
}

std::string Seriellindex(const std::string& COM_Port)
{
    int c = Zeilenzahl_Lesen(COM_Port);
    if (c >= 1 && c <= 4)
        return std::to_string(c - 1);
    return "";
}

Befehl Initialisierungsbefehl(const std::string& Programmpfad, const std::string& NameDigitemp,
                              const std::string& NameLogFile, const std::string& COM_Port)
{
    std::string log;
    for (char c : Logdatei_Pfad(Programmpfad, NameLogFile)) {
        log += c;
        if (c == '%')
            log += '%';
    }
    return {Digitemp_Programm(Programmpfad, NameDigitemp),
            {"-a", "-s/dev/ttyS" + Seriellindex(COM_Port), "-i", "-l" + log, "-r2000", "-o%.2C"}};
}

Befehl Lesebefehl(const std::string& Programmpfad, const std::string& NameDigitemp)
{
    return {Digitemp_Programm(Programmpfad, NameDigitemp), {"-a"}};
}

void Logdatei_Loeschen(const std::string& pfad) { ::unlink(pfad.c_str()); }

} // namespace kw
