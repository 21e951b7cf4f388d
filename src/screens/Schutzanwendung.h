#pragma once
// The program's QApplication: no exception leaves an event handler. Qt's event
// loop cannot carry one; uncaught it would end the program with the relays as
// they were. What is caught here goes to the fault handler, which switches the
// outputs off and tells the brewer; the program goes on.

#include <QApplication>

#include <exception>
#include <functional>
#include <string>

namespace kw {

class Anwendung;

class Schutzanwendung final : public QApplication {
    Q_OBJECT
public:
    Schutzanwendung(int& argc, char** argv);

    // Receives the text of every exception caught at the event boundary.
    using Stoerungsbehandlung = std::function<void(const std::string& was)>;
    void setStoerungsbehandlung(Stoerungsbehandlung b) { m_behandlung = std::move(b); }

    bool notify(QObject* empfaenger, QEvent* ereignis) override;

private:
    Stoerungsbehandlung m_behandlung;
};

// The text of the exception now being handled ("unknown error" for one that is no std::exception).
std::string Ausnahmetext(std::exception_ptr e);

// Runs `f`; an exception from it goes to the application's fault handler
// (outputs off, message) instead of further up. For handlers that tests and
// timers call directly, outside the event boundary.
template <class F> void geschuetzt(Anwendung& app, F&& f);

} // namespace kw

#include "screens/Anwendung.h"

template <class F> void kw::geschuetzt(Anwendung& app, F&& f)
{
    try {
        f();
    } catch (...) {
        app.Stoerung(Ausnahmetext(std::current_exception()));
    }
}
