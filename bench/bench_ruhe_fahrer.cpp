// Drives the real program for bench_ruhe.py, loaded into it with LD_PRELOAD:
// it presses OK on the settings screen as a brewer would and, for
// KW_FAHRER=brauen, enters a two-phase mash in the editor, switches the
// simulation on and presses START. Then it stops its own timer (a slow
// temperature ramp of the simulation slider goes on while brewing) and prints
// "KW_FAHRER bereit" on stdout, so that the measurement starts from there.
//
// Everything goes through the widgets by object name with real mouse and key
// events; the program itself holds no hook for this.

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QSlider>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QWidget* fenster(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name))
            return w;
    return nullptr;
}

template <class T> T* kind(QWidget* w, const QByteArray& name)
{
    return w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

void melden(const char* text)
{
    std::printf("KW_FAHRER %s\n", text);
    std::fflush(stdout);
}

bool klicken(QWidget* w, const QByteArray& name)
{
    auto* b = kind<QAbstractButton>(w, name);
    if (!b)
        return false;
    QTest::mouseClick(b, Qt::LeftButton);
    return true;
}

// Selects an option from the keyboard: focus, then the space bar.
bool waehlen(QWidget* w, const QByteArray& name)
{
    auto* b = kind<QAbstractButton>(w, name);
    if (!b)
        return false;
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
    return b->isChecked();
}

// Types into a field key by key: the editor stores the text on each key release.
bool tippen(QWidget* w, const QByteArray& name, const char* text)
{
    auto* f = kind<QLineEdit>(w, name);
    if (!f)
        return false;
    f->setFocus();
    QTest::keyClicks(f, QString::fromLatin1(text));
    return true;
}

class Fahrer : public QObject {
public:
    Fahrer() : m_brauen(std::getenv("KW_FAHRER") && std::strcmp(std::getenv("KW_FAHRER"), "brauen") == 0)
    {
        connect(&m_takt, &QTimer::timeout, this, [this] { schritt(); });
        m_takt.start(200);
        connect(&m_rampe, &QTimer::timeout, this, [this] { rampe(); });
    }

private:
    void schritt()
    {
        QWidget* einstellungen = fenster("HardwareAbfrage");
        switch (m_zustand) {
        case 0:  // the settings screen comes up on the first tick
            if (einstellungen && einstellungen->isVisible() && klicken(einstellungen, "Command1"))
                m_zustand = 1;
            return;
        case 1:
            if (einstellungen && einstellungen->isVisible())
                return;
            if (!m_brauen) {
                fertig();
                return;
            }
            m_zustand = 2;
            return;
        case 2:
            if (!klicken(fenster("Grundbild"), "Command2_0"))  // PARAMETER
                return;
            m_zustand = 3;
            return;
        case 3: {
            QWidget* p = fenster("PARAMETER");
            if (!p || !p->isVisible())
                return;
            // A phase is complete only with holding and call time, which show for
            // "Konstantphase" and "Ruf nach Rufzeit": a brewer fills them in first.
            const auto zeiten = [&](const char* n, const char* heizzeit) {
                const QByteArray k = n;
                bool r = klicken(p, "Par_Heizphase_" + k) && tippen(p, "Par_Heizzeit_" + k, heizzeit)
                         && klicken(p, "Par_Ruf_nach_Rufzeit_" + k) && tippen(p, "Par_Rufzeit_" + k, "0");
                if (QWidget* ruf = fenster("Ruf_Text"))
                    r = r && klicken(ruf, "Command1");
                return r;
            };
            bool ok = tippen(p, "Par_Biersorte", "Bench") && tippen(p, "Par_AnzPhasen", "2")
                      && zeiten("1", "0") && klicken(p, "Par_Aufheizphase_1") && tippen(p, "Par_EndTemp_1", "60")
                      && tippen(p, "Par_Ruehrpuls_1", "5") && tippen(p, "Par_Ruehrpause_1", "10")
                      && waehlen(p, "Par_KeinRuf_1") && zeiten("2", "90") && klicken(p, "Par_Heizphase_2")
                      && tippen(p, "Par_EndTemp_2", "60") && tippen(p, "Par_Ruehrpuls_2", "5")
                      && tippen(p, "Par_Ruehrpause_2", "10") && waehlen(p, "Par_KeinRuf_2")
                      && klicken(p, "Command1");  // ZURÜCK
            if (!ok) {
                melden("fehler editor");
                QCoreApplication::exit(3);
                return;
            }
            m_zustand = 4;
            return;
        }
        case 4: {
            QWidget* g = fenster("Grundbild");
            auto* regler = kind<QSlider>(g, "Scroll_Sim_IstTemperatur");
            if (!regler || !klicken(g, "Switch1")) {  // Simulation ON
                melden("fehler grundbild");
                QCoreApplication::exit(3);
                return;
            }
            regler->setValue(-55);  // the slider runs from 100 °C at the top
            if (!klicken(g, "START_BRAUEN")) {
                melden("fehler start");
                QCoreApplication::exit(3);
                return;
            }
            // About 1 K every 5 s: phase 1 heats up to 60 °C, then phase 2 holds.
            m_rampe.start(5000);
            m_zustand = 5;
            return;
        }
        case 5:
            // A refused START (an incomplete phase) shows its message: no brew to measure.
            if (++m_warten < 5)
                return;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    melden(qPrintable(QStringLiteral("fehler brauen: ") + box->text()));
                    QCoreApplication::exit(3);
                    return;
                }
            fertig();
            return;
        }
    }

    void rampe()
    {
        auto* regler = kind<QSlider>(fenster("Grundbild"), "Scroll_Sim_IstTemperatur");
        if (regler && regler->value() > -61)
            regler->setValue(regler->value() - 1);
    }

    void fertig()
    {
        m_takt.stop();
        melden("bereit");
        // KW_FAHRER_FOTO=file.png: the main screen as it looks 3 s later.
        if (const char* f = std::getenv("KW_FAHRER_FOTO")) {
            const QString datei = QString::fromLocal8Bit(f);
            QTimer::singleShot(3000, this, [datei] {
                // As the screen shows it, and the clock and a lamp enlarged beside it.
                if (QWidget* g = fenster("Grundbild")) {
                    QWidget* f = g->window();
                    const QImage bild = f->screen()->grabWindow(f->winId()).toImage();
                    bild.save(datei);
                    const qreal dpr = bild.devicePixelRatio();
                    for (const char* name : {"Anzeige_ZeitAct", "Anzeige_Brauen"})
                        if (auto* w = g->findChild<QWidget*>(QString::fromLatin1(name))) {
                            const QRect r(w->mapTo(f, QPoint(-6, -6)) * dpr, (w->size() + QSize(12, 12)) * dpr);
                            QString ziel = datei;
                            ziel.insert(ziel.lastIndexOf(u'.'), u'_' + QString::fromLatin1(name));
                            bild.copy(r).scaled(r.size() * 6).save(ziel);
                        }
                }
                // and what else is open
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (w->isVisible()) {
                        std::fprintf(stderr, "KW_FAHRER window %s \"%s\"\n", qPrintable(w->objectName()),
                                     qPrintable(w->windowTitle()));
                        for (QLabel* l : w->findChildren<QLabel*>())
                            if (l->isVisible() && !l->text().isEmpty())
                                std::fprintf(stderr, "KW_FAHRER   %s\n", qPrintable(l->text()));
                    }
            });
        }
        // KW_FAHRER_MALEN=s: which widgets paint and which timers fire, counted over s seconds
        // from 20 s on, when the measurement of bench_ruhe.py begins (on stderr).
        if (const char* s = std::getenv("KW_FAHRER_MALEN")) {
            const int dauer = std::atoi(s);
            QTimer::singleShot(20000, this, [this, dauer] {
                qApp->installEventFilter(this);
                QTimer::singleShot(dauer * 1000, this, [this] {
                    qApp->removeEventFilter(this);
                    for (auto it = m_malen.cbegin(); it != m_malen.cend(); ++it)
                        std::fprintf(stderr, "%6d %s\n", it.value(), qPrintable(it.key()));
                });
            });
        }
    }

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++m_malen[QString::fromLatin1(o->metaObject()->className()) + u' ' + o->objectName()];
        else if (e->type() == QEvent::Timer)
            ++m_malen[QStringLiteral("timer ") + QString::fromLatin1(o->metaObject()->className()) + u' ' + o->objectName()];
        return false;
    }
    QMap<QString, int> m_malen;

    bool m_brauen;
    int m_zustand = 0;
    int m_warten = 0;
    QTimer m_takt;
    QTimer m_rampe;
};

void anmelden()
{
    // Made once the application object exists, on its thread.
    QTimer::singleShot(0, qApp, [] { (new Fahrer)->setParent(qApp); });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(anmelden)
