#include "screens/Parameter2.h"

#include "screens/Anwendung.h"
#include "screens/Parameter.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace kw {

Parameter2::Parameter2(Anwendung& a)
    : Phasenseite(a, Erste_Phase, QStringLiteral("PHASE 1 - 10"))
{
    kopf->addStretch(1);
    kopf->addWidget(Command6);
    kopf->addWidget(Command1);
    // Bearbeitete_Phase lives with the first page.
    connect(this, &Phasenseite::beruehrt, this,
            [this](int n) { app.bildschirm<Parameter>().Bearbeitete_Phase = n; });
    fertigstellen();
}

void Parameter2::Seitenwechsel()
{
    Tabulatorfolge_Setzen(app);
    auto& seite1 = app.bildschirm<Parameter>();
    seite1.Parameterseite = 1;
    Seite_Tauschen(seite1);
}

} // namespace kw
