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
#include <QTextEdit>

#include <cstdlib>
#include <filesystem>

#include "Testanwendung.h"
#include "screens/Fensterflaeche.h"

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
    // A small display: the window shrinks and the content scrolls.
    kw::Fenster_Begrenzen(*g, QRect(0, 0, 1024, 768));
    QApplication::processEvents();
    EXPECT_LE(g->frameGeometry().width(), 1024);
    EXPECT_LE(g->frameGeometry().height(), 768);
    EXPECT_TRUE(flaeche->horizontalScrollBar()->isVisible() || flaeche->verticalScrollBar()->isVisible());
    g->hide();
    u.meldungen_abholen();
}
