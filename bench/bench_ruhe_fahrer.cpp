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
#include <QLineEdit>
#include <QMap>
#include <QSlider>
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

template <class T> T* kind(QWidget* w, const char* name)
{
    return w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

void melden(const char* text)
{
    std::printf("KW_FAHRER %s\n", text);
    std::fflush(stdout);
}

bool klicken(QWidget* w, const char* name)
{
    auto* b = kind<QAbstractButton>(w, name);
    if (!b)
        return false;
    QTest::mouseClick(b, Qt::LeftButton);
    return true;
}

// Types into a field key by key: the editor stores the text on each key release.
bool tippen(QWidget* w, const char* name, const char* text)
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
            bool ok = tippen(p, "Par_Biersorte", "Bench") && tippen(p, "Par_AnzPhasen", "2")
                      && klicken(p, "Par_Aufheizphase_1") && tippen(p, "Par_EndTemp_1", "60")
                      && tippen(p, "Par_Ruehrpuls_1", "5") && tippen(p, "Par_Ruehrpause_1", "10")
                      && klicken(p, "Par_KeinRuf_1") && klicken(p, "Par_Heizphase_2")
                      && tippen(p, "Par_EndTemp_2", "60") && tippen(p, "Par_Heizzeit_2", "90")
                      && tippen(p, "Par_Ruehrpuls_2", "5") && tippen(p, "Par_Ruehrpause_2", "10")
                      && klicken(p, "Par_KeinRuf_2") && klicken(p, "Command1");  // ZURÜCK
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
            fertig();
            return;
        }
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
        if (const char* h = std::getenv("KW_FAHRER_HALT"))
            for (const QString& n : QString::fromLatin1(h).split(u','))
                for (QTimer* t : qApp->findChildren<QTimer*>(n))
                    t->stop();
        if (const char* h = std::getenv("KW_FAHRER_VERSTECKT"))
            for (QWidget* w : QApplication::topLevelWidgets())
                for (QWidget* k : w->findChildren<QWidget*>(QString::fromLatin1(h)))
                    k->hide();
        if (const char* h = std::getenv("KW_FAHRER_HALT"))
            for (QWidget* w : QApplication::topLevelWidgets())
                for (QTimer* t : w->findChildren<QTimer*>())
                    if (QString::fromLatin1(h).split(u',').contains(t->objectName()))
                        t->stop();
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
