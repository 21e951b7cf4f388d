#include "screens/Schutzanwendung.h"

#include <cstdio>

namespace kw {

Schutzanwendung::Schutzanwendung(int& argc, char** argv) : QApplication(argc, argv) {}

std::string Ausnahmetext(std::exception_ptr e)
{
    try {
        if (e)
            std::rethrow_exception(e);
    } catch (const std::exception& x) {
        return x.what();
    } catch (...) {
    }
    return "unknown error";
}

bool Schutzanwendung::notify(QObject* empfaenger, QEvent* ereignis)
{
    try {
        return QApplication::notify(empfaenger, ereignis);
    } catch (...) {
        const std::string was = Ausnahmetext(std::current_exception());
        std::fprintf(stderr, "kesselwerk: caught in an event handler: %s\n", was.c_str());
        if (m_behandlung) {
            try {
                m_behandlung(was);
            } catch (...) {
                // the handler itself failed; nothing more can be done here
            }
        }
    }
    return true;
}

} // namespace kw
