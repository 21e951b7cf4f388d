// The main screen's function column and the screens it opens.

#include "screens/Grundbild.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/Anwendung.h"
#include "screens/Berechnungen.h"
#include "screens/Brauprotokoll.h"
#include "screens/Grundbild_Hilfen.h"
#include "screens/Parameter.h"

namespace kw {

using namespace grundbild;

namespace {

// The screen's own opening where it has one, else plain showing.
// Screens that fill themselves before they show.
template <class T> void oeffnen_oder_zeigen(QWidget* w)
{
    if (auto* s = qobject_cast<T*>(w)) {
        s->oeffnen();
        return;
    }
    grundbild::zeigen(w);
}

} // namespace

QWidget* Grundbild::baueFunktionen()
{
    auto* g = rahmen("Frame1", QStringLiteral("FUNKTIONEN"));
    m_teile.funktionsknoepfe = {
        knopf("Command2_0", QStringLiteral("PARAMETER"), &Grundbild::Command2_Click, true),
        knopf("Command1", QStringLiteral("BRAU - PROTOKOLL"), &Grundbild::Command1_Click, false),
        knopf("Command5", QStringLiteral("BERECHNUNGEN / HILFEN"), &Grundbild::Command5_Click, false),
        knopf("Temperaturkurve", QStringLiteral("TEMP.-KURVE"), &Grundbild::Temperaturkurve_Click, false),
        knopf("OPTIONS", QStringLiteral("OPTIONEN"), &Grundbild::OPTIONS_Click, true),
        knopf("INFO", QStringLiteral("INFO"), &Grundbild::INFO_Click, true),
    };
    auto* quitt = knopf("QUITTIEREN", QStringLiteral("QUITTIEREN"), &Grundbild::QUITTIEREN_Click, true);
    quitt->setMinimumHeight(40);
    QFont f = quitt->font();
    f.setBold(true);
    quitt->setFont(f);
    quitt->setStyleSheet(QStringLiteral("QPushButton { background: rgb(250,200,120); }"));
    m_teile.quittieren = quitt;
    m_teile.beenden = knopf("Command7", QStringLiteral("BEENDEN"), &Grundbild::Command7_Click, true);
    for (QPushButton* b : m_teile.funktionsknoepfe)
        b->setParent(g);
    quitt->setParent(g);
    m_teile.beenden->setParent(g);
    return g;
}

// ---------------------------------------------------------------------------
// Function buttons

QWidget* Grundbild::oeffne(const char* name)
{
    QWidget* w = app.bildschirm(name);
    if (!w)
        app.zeige(1);
    return w;
}

void Grundbild::Command2_Click()
{
    QWidget* w = oeffne("PARAMETER");
    if (!w)
        return;
    // The editor sets its tab order and its first page itself.
    oeffnen_oder_zeigen<Parameter>(w);
}

void Grundbild::Command1_Click()
{
    QWidget* w = oeffne("Brauprotokoll");
    if (!w)
        return;
    oeffnen_oder_zeigen<Brauprotokoll>(w);
}

void Grundbild::Command5_Click()
{
    QWidget* w = oeffne("Berechnungen");
    if (!w)
        return;
    oeffnen_oder_zeigen<Berechnungen>(w);
}

void Grundbild::Temperaturkurve_Click()
{
    if (QWidget* w = oeffne("TEMPZEITKURV"))
        zeigen(w);
}

void Grundbild::OPTIONS_Click()
{
    if (!oeffne("HardwareAbfrage"))
        return;
    // Parallel output waits for the next OK.
    app.anlage.Konfiguration_Bestaetigt = false;
    app.Konfiguration_Laden_Und_Zeigen();
}

void Grundbild::INFO_Click()
{
    if (QWidget* w = oeffne("Information"))
        zeigen(w);
}

} // namespace kw
