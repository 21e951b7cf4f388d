// Every registered screen fits a 1024 × 768 panel and a 1366 × 768 laptop with a
// 40-pixel taskbar, and each of its controls can be scrolled into view.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTextEdit>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "Testanwendung.h"
#include "screens/Fensterflaeche.h"
#include "screens/Grundbild.h"

namespace {

bool ist_bedienelement(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w)
        || qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w)
        || qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QAbstractItemView*>(w)
        || qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

void abarbeiten()
{
    // Geometry changes of a shown window come back from the window system.
    for (int i = 0; i < 4; ++i)
        QApplication::processEvents();
}

// Scrolls every scroll area around `c` (innermost first) so that it shows `c`.
void hinscrollen(QWidget& c, QWidget& fenster)
{
    for (QWidget* p = c.parentWidget(); p && p != &fenster; p = p->parentWidget())
        if (auto* sa = qobject_cast<QScrollArea*>(p); sa && sa->widget() && sa->widget()->isAncestorOf(&c)) {
            // The whole control (a line edit alone would only show its cursor).
            const QPoint m = c.mapTo(sa->widget(), c.rect().center());
            sa->ensureVisible(m.x(), m.y(), c.width() / 2 + 1, c.height() / 2 + 1);
            abarbeiten();
        }
}

struct Ordner {
    std::filesystem::path pfad;
    Ordner()
    {
        std::string v = (std::filesystem::temp_directory_path() / "kw_passt_XXXXXX").string();
        pfad = ::mkdtemp(v.data());
    }
    ~Ordner() { std::filesystem::remove_all(pfad); }
};

} // namespace

TEST(Bildschirmgroesse, JederBildschirmPasstUndJedesBedienelementIstErreichbar)
{
    Ordner ordner;
    kw::test::Testumgebung u(ordner.pfad.string());
    kw::Anwendung& app = *u.app;
    const std::vector<std::string> namen = app.bildschirmnamen();
    ASSERT_GE(namen.size(), 15u);
    int alle = 0;
    for (const std::string& name : namen) {
        QWidget* w = app.bildschirm(name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->objectName().toStdString(), name);
        w->show();
        abarbeiten();
        for (const QRect bereich : {QRect(0, 0, 1024, 768), QRect(0, 0, 1366, 728)}) {
            SCOPED_TRACE(name + " in " + std::to_string(bereich.width()) + "x" + std::to_string(bereich.height()));
            const QSize platz = bereich.size() - kw::Fensterrand_Reserve;
            const QSize min_hint = w->minimumSizeHint();
            EXPECT_LE(min_hint.width(), platz.width());
            EXPECT_LE(min_hint.height(), platz.height());
            EXPECT_LE(w->minimumSize().width(), platz.width());
            EXPECT_LE(w->minimumSize().height(), platz.height());

            // Shown (bounded to the test display), then as on the display in question.
            kw::Fenster_Begrenzen(*w, bereich);
            abarbeiten();
            // The window with its frame inside the display.
            EXPECT_LE(w->frameGeometry().width(), bereich.width());
            EXPECT_LE(w->frameGeometry().height(), bereich.height());

            int geprueft = 0;
            for (QWidget* c : w->findChildren<QWidget*>()) {
                if (!ist_bedienelement(c) || c->window() != w || !c->isVisibleTo(w))
                    continue;
                // Parts of a compound control (a spin box's line edit) go with it.
                if (c->parentWidget() && ist_bedienelement(c->parentWidget()))
                    continue;
                ++geprueft;
                hinscrollen(*c, *w);
                // Reachable: its middle lies in the window and is not covered.
                const QRect r(c->mapTo(w, QPoint(0, 0)), c->size());
                EXPECT_TRUE(w->rect().contains(r.center()))
                    << c->objectName().toStdString() << " in " << w->width() << "x" << w->height() << " at " << r.x()
                    << "," << r.y() << " " << r.width() << "x" << r.height();
                const QWidget* getroffen = w->childAt(r.center());
                EXPECT_TRUE(getroffen && (getroffen == c || c->isAncestorOf(getroffen)))
                    << c->objectName().toStdString();
            }
            if (const char* ordner = std::getenv("KW_FOTOS"))
                w->grab().save(QStringLiteral("%1/%2_%3x%4.png").arg(QString::fromLocal8Bit(ordner),
                                                                     QString::fromStdString(name))
                                   .arg(bereich.width()).arg(bereich.height()));
            alle += geprueft;
        }
        w->hide();
        QApplication::processEvents();
        u.meldungen_abholen();
    }
    EXPECT_GT(alle, 200);
}

TEST(Bildschirmgroesse, GrosseAnzeigeZeigtAllesOhneRollbalken)
{
    Ordner ordner;
    kw::test::Testumgebung u(ordner.pfad.string());
    QWidget* g = u.app->bildschirm("Grundbild");
    ASSERT_NE(g, nullptr);
    g->show();
    g->resize(g->sizeHint());
    QApplication::processEvents();
    kw::Fenster_Begrenzen(*g, QRect(0, 0, 1920, 1200));
    QApplication::processEvents();
    auto* flaeche = g->findChild<QScrollArea*>(QStringLiteral("Bildflaeche"));
    ASSERT_NE(flaeche, nullptr);
    // Full size as before: the whole content, no scroll bar.
    EXPECT_GE(g->width(), flaeche->widget()->minimumSizeHint().width());
    EXPECT_GE(g->height(), flaeche->widget()->minimumSizeHint().height());
    EXPECT_FALSE(flaeche->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(flaeche->verticalScrollBar()->isVisible());
    EXPECT_FALSE(static_cast<kw::Grundbild*>(g)->kompakt());
    // A small display: the window shrinks and takes the compact arrangement, still without scrolling.
    kw::Fenster_Begrenzen(*g, QRect(0, 0, 1024, 768));
    QApplication::processEvents();
    EXPECT_LE(g->frameGeometry().width(), 1024);
    EXPECT_LE(g->frameGeometry().height(), 768);
    EXPECT_TRUE(static_cast<kw::Grundbild*>(g)->kompakt());
    EXPECT_FALSE(flaeche->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(flaeche->verticalScrollBar()->isVisible());
    // Large again: the wide arrangement comes back.
    kw::Fenster_Begrenzen(*g, QRect(0, 0, 1920, 1200));
    g->resize(g->sizeHint());
    QApplication::processEvents();
    EXPECT_FALSE(static_cast<kw::Grundbild*>(g)->kompakt());
    EXPECT_FALSE(flaeche->horizontalScrollBar()->isVisible());
    g->hide();
    u.meldungen_abholen();
}

namespace {

// Shown in this state, wherever it is: no panel around it is hidden, only a page may be turned away.
bool gemeint(const QWidget* c, const QWidget& fenster)
{
    for (const QWidget* p = c; p && p != &fenster; p = p->parentWidget()) {
        const bool seite = p->parentWidget() && qobject_cast<const QStackedWidget*>(p->parentWidget());
        if (!seite && p->isHidden() && p->testAttribute(Qt::WA_WState_ExplicitShowHide))
            return false;
    }
    return true;
}

bool nur_anzeige(const QWidget* c)
{
    const auto* f = qobject_cast<const QLineEdit*>(c);
    return f && f->isReadOnly();
}

} // namespace

// The main screen on a 7-inch 800×480 touch display in each language and on a
// 1024×768 panel: in each state every control can be touched without scrolling,
// after turning at most two pages, and is at least a fingertip (40 pixels) high
// and wide; STOP and QUITTIEREN are on every page.
TEST(Bildschirmgroesse, HauptbildAufKleinerAnzeigeFingergrossOhneRollen)
{
    Ordner ordner;
    kw::test::Testumgebung u(ordner.pfad.string());
    auto& g = u.app->bildschirm<kw::Grundbild>();
    g.show();
    g.Timer_Anhalten();
    g.Timer1_Timer();
    if (u.app->geladen("HardwareAbfrage"))
        u.app->bildschirm("HardwareAbfrage")->hide();
    auto* flaeche = g.findChild<QScrollArea*>(QStringLiteral("Bildflaeche"));
    auto* seitenknopf = g.findChild<QAbstractButton*>(QStringLiteral("Seitenwechsel"));
    ASSERT_TRUE(flaeche && seitenknopf);
    const auto klick = [&](const char* name) {
        g.findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
        g.Timer1_Timer();
        g.Timer2_Timer();
        abarbeiten();
    };

    const std::pair<int, QRect> faelle[] = {{1, QRect(0, 0, 800, 480)}, {2, QRect(0, 0, 800, 480)},
                                            {6, QRect(0, 0, 800, 480)}, {7, QRect(0, 0, 800, 480)},
                                            {8, QRect(0, 0, 800, 480)}, {1, QRect(0, 0, 1024, 768)}};
    for (const auto& [sprache, bereich] : faelle) {
        u.app->anlage.Sprachnummer = sprache;
        u.app->Sprache_Umschalten();
        abarbeiten();
        kw::Fenster_Begrenzen(g, bereich);
        // As under a window manager: a title bar and a frame (a test display has none).
        g.resize(g.size().boundedTo(bereich.size() - kw::Fensterrand_Reserve));
        abarbeiten();
        ASSERT_TRUE(g.kompakt());
        // idle; manual on; manual and simulation on; simulation alone
        const char* schalter[] = {nullptr, "Switch2", "Switch1", "Switch2"};
        const int seite_danach[] = {kw::Grundbild::Seite_Funktionen, kw::Grundbild::Seite_Manuell,
                                    kw::Grundbild::Seite_Start, kw::Grundbild::Seite_Start};
        for (int zustand = 0; zustand < 4; ++zustand) {
            SCOPED_TRACE(std::to_string(bereich.width()) + "x" + std::to_string(bereich.height()) + ", language "
                         + std::to_string(sprache) + ", state " + std::to_string(zustand));
            if (schalter[zustand])
                klick(schalter[zustand]);
            // A mode switched on brings its page.
            EXPECT_EQ(g.seite(), seite_danach[zustand]);
            std::set<QWidget*> offen;
            for (QWidget* c : g.findChildren<QWidget*>())
                if (ist_bedienelement(c) && !nur_anzeige(c) && c->window() == &g && gemeint(c, g)
                    && !(c->parentWidget() && ist_bedienelement(c->parentWidget())))
                    offen.insert(c);
            ASSERT_GT(offen.size(), 20u);
            for (int umgeblaettert = 0; umgeblaettert < 3 && !offen.empty(); ++umgeblaettert) {
                EXPECT_FALSE(flaeche->horizontalScrollBar()->isVisible());
                EXPECT_FALSE(flaeche->verticalScrollBar()->isVisible());
                for (const char* immer : {"STOP_BRAUEN", "QUITTIEREN", "START_BRAUEN"})
                    EXPECT_TRUE(g.findChild<QWidget*>(QString::fromLatin1(immer))->isVisibleTo(&g)) << immer;
                for (auto it = offen.begin(); it != offen.end();) {
                    QWidget* c = *it;
                    if (!c->isVisibleTo(&g)) {
                        ++it;
                        continue;
                    }
                    const QRect r(c->mapTo(&g, QPoint(0, 0)), c->size());
                    const std::string name = c->objectName().toStdString();
                    EXPECT_TRUE(g.rect().contains(r)) << name << " at " << r.x() << "," << r.y() << " " << r.width()
                                                      << "x" << r.height();
                    const QWidget* getroffen = g.childAt(r.center());
                    EXPECT_TRUE(getroffen && (getroffen == c || c->isAncestorOf(getroffen))) << name;
                    EXPECT_GE(r.height(), 40) << name;
                    EXPECT_GE(r.width(), 40) << name;
                    it = offen.erase(it);
                }
                seitenknopf->click();
                abarbeiten();
            }
            for (QWidget* c : offen)
                ADD_FAILURE() << c->objectName().toStdString() << " is on no page";
            // Back to the page the state brought.
            while (g.seite() != seite_danach[zustand])
                seitenknopf->click();
        }
        klick("Switch1");   // simulation off for the next display: its page goes with it
        EXPECT_EQ(g.seite(), kw::Grundbild::Seite_Funktionen);
    }
    g.hide();
    u.meldungen_abholen();
}
