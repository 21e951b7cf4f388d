#pragma once
// The brewmaster call: the phase's call text, OK and SIGNAL AUS. Shown without
// blocking; the call itself waits for QUITTIEREN on the main screen.

#include "screens/Hinweisfenster.h"

namespace kw {

class Anwendung;

class BraumeisterRuf : public Hinweisfenster {
    Q_OBJECT
public:
    static constexpr const char* Name = "BraumeisterRuf";
    explicit BraumeisterRuf(Anwendung& app);

    // Message 51 followed by the call text.
    void Ruftext_Setzen(const QString& text);

private:
    void Command1_Click();   // OK: silences and unloads the window
    void Command2_Click();   // SIGNAL AUS: silences, the window stays

    Anwendung& app;
};

} // namespace kw
