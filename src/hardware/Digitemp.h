#pragma once
// The DigiTemp tool: where it is, its two command lines and its log file.

#include <string>
#include <vector>

namespace kw {

struct Befehl {
    std::string programm;                // path, or a bare name looked up on PATH
    std::vector<std::string> argumente;  // without argv[0]
    std::string text() const;            // one line, pieces joined by blanks, for display and logs
};

// The program folder + NameDigitemp when that is an executable file, else NameDigitemp itself (PATH).
std::string Digitemp_Programm(const std::string& Programmpfad, const std::string& NameDigitemp);

// "<Programmpfad>/<NameLogFile>.TXT"; the tool, the reader and the deletion at OK all use this name.
std::string Logdatei_Pfad(const std::string& Programmpfad, const std::string& NameLogFile);

// Serial device index for the tool: COM1..COM4 give "0".."3", anything else "".
std::string Seriellindex(const std::string& COM_Port);

// Initialisation run: <tool> -a -s/dev/ttyS<index> -i -l<log>.TXT -r2000 -o%.2C
// A "%" in the log path is doubled, as the tool passes that path through strftime.
Befehl Initialisierungsbefehl(const std::string& Programmpfad, const std::string& NameDigitemp,
                              const std::string& NameLogFile, const std::string& COM_Port);

// Reading run: <tool> -a (the options come from the .digitemprc that the initialisation run left).
Befehl Lesebefehl(const std::string& Programmpfad, const std::string& NameDigitemp);

// Deletes the log; a missing file or any other error is ignored.
void Logdatei_Loeschen(const std::string& pfad);

} // namespace kw
