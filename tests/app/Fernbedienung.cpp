// Remote hand for the real program: preloaded into kesselwerk (LD_PRELOAD), it
// waits for the main screen, clicks and types through posted mouse and key
// events as a user would, and notes in a file what is on screen, so that a
// test in another process knows when to send its signal.
//
//   KW_FERNBEDIENUNG            the course to take (see Ablauf below)
//   KW_FERNBEDIENUNG_PROTOKOLL  file that gets one line per step
//   KW_FERNBEDIENUNG_FOTO       course BOX: the box is saved there as a picture
//
// The events are posted, never sent from here: a dialog's own event loop then
// runs below the program's handler, not below this code.

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

void notiere(const QString& zeile)
{
    QFile f(qEnvironmentVariable("KW_FERNBEDIENUNG_PROTOKOLL"));
    if (f.open(QIODevice::Append | QIODevice::Text))
        f.write((zeile + u'\n').toUtf8());
}

QWidget* fenster(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

QWidget* element(const QString& fenstername, const QString& name)
{
    QWidget* f = fenster(fenstername);
    return f ? f->findChild<QWidget*>(name) : nullptr;
}

void klicke(QWidget* w)
{
    const QPointF mitte = QRectF(w->rect()).center();
    const QPointF global = w->mapToGlobal(mitte);
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, mitte, mitte, global,
                                                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, mitte, mitte, global,
                                                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

void tippe(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        const int taste = c.toUpper().unicode();
        QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, taste, Qt::NoModifier, QString(c)));
        QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyRelease, taste, Qt::NoModifier, QString(c)));
    }
}

void taste(QWidget* w, int taste)
{
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, taste, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyRelease, taste, Qt::NoModifier));
}

// The modal window now in front, by kind.
QString modal()
{
    QWidget* m = QApplication::activeModalWidget();
    if (!m)
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->isModal())
                m = w;
    if (qobject_cast<QFileDialog*>(m))
        return QStringLiteral("QFileDialog");
    if (auto* b = qobject_cast<QMessageBox*>(m))
        return QStringLiteral("QMessageBox ") + b->text();
    return m ? QStringLiteral("modal ") + QString::fromLatin1(m->metaObject()->className()) : QString();
}

// A step waits until its condition holds, then acts once.
struct Schritt {
    std::function<bool()> bereit;
    std::function<void()> tun;
};

// An event filter that throws, as a faulty library call inside a handler would.
class Werfer final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::out_of_range("phase number outside 1..20");
        return QObject::eventFilter(o, e);
    }
};

std::vector<Schritt> Ablauf(const QString& name)
{
    const auto grundbild_da = [] { return element("Grundbild", "Command2_0") != nullptr; };
    const auto meldet_modal = [](const QString& art) {
        return Schritt{[art] { return modal().startsWith(art); }, [] { notiere("offen " + modal()); }};
    };
    std::vector<Schritt> s;
    if (name == "BOX") {
        // A box the program shows before any screen: noted with its text, then closed.
        s.push_back(meldet_modal(QStringLiteral("QMessageBox")));
        s.push_back({[] { return true; },
                     [] {
                         // KW_FERNBEDIENUNG_FOTO=<file.png>: a picture of it for a look by eye.
                         const QString foto = qEnvironmentVariable("KW_FERNBEDIENUNG_FOTO");
                         if (!foto.isEmpty())
                             QApplication::activeModalWidget()->grab().save(foto);
                         QApplication::activeModalWidget()->close();
                     }});
        return s;
    }
    // The settings screen comes up at the first tick; it is not modal and stays.
    s.push_back({grundbild_da, [] { notiere(QStringLiteral("Grundbild")); }});
    if (name == "MELDUNGEN") {
        // The messages the program shows beside its screens, once the main screen is up.
        const auto offene = [] {
            QStringList texte;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible())
                    texte << b->text();
            return texte;
        };
        s.push_back({[offene] { return !offene().isEmpty(); },
                     [offene] {
                         for (QString t : offene())
                             notiere(QStringLiteral("meldung ") + t.replace(u'\n', u' '));
                         notiere(QStringLiteral("gemeldet"));
                     }});
    }
    if (name == "LADEN" || name == "LADEN_FEHLT") {
        s.push_back({grundbild_da, [] { klicke(element("Grundbild", "Command2_0")); }});
        s.push_back({[] { return element("PARAMETER", "Command5") != nullptr; },
                     [] { klicke(element("PARAMETER", "Command5")); }});
        if (name == "LADEN") {
            s.push_back(meldet_modal(QStringLiteral("QFileDialog")));
        } else {
            // A name that does not exist: the file dialog's own warning box, an event loop inside its loop.
            s.push_back({[] { return modal() == "QFileDialog"; },
                         [] {
                             auto* name = QApplication::activeModalWidget()->findChild<QLineEdit*>(
                                 QStringLiteral("fileNameEdit"));
                             tippe(name, QStringLiteral("fehlt.rez"));
                             taste(name, Qt::Key_Return);
                         }});
            s.push_back(meldet_modal(QStringLiteral("QMessageBox")));
        }
    } else if (name == "KURVE") {
        s.push_back({grundbild_da, [] { klicke(element("Grundbild", "Temperaturkurve")); }});
        s.push_back({[] { return element("TEMPZEITKURV", "LOG") != nullptr; },
                     [] { klicke(element("TEMPZEITKURV", "LOG")); }});
        s.push_back(meldet_modal(QStringLiteral("QFileDialog")));
    } else if (name == "MELDUNG") {
        // A letter in the start phase field: message 14.
        s.push_back({grundbild_da, [] { tippe(element("Grundbild", "Eingabe_Start_Phase"), QStringLiteral("x")); }});
        s.push_back(meldet_modal(QStringLiteral("QMessageBox")));
    } else if (name == "AUSNAHME") {
        s.push_back({grundbild_da, [] {
                         QWidget* g = fenster(QStringLiteral("Grundbild"));
                         g->installEventFilter(new Werfer(g));
                         QCoreApplication::postEvent(g, new QEvent(QEvent::User));
                     }});
        s.push_back(meldet_modal(QStringLiteral("QMessageBox")));
        // Still alive and ticking: the toggles of the main screen answer.
        s.push_back({[] { return true; },
                     [] {
                         QApplication::activeModalWidget()->close();
                         klicke(element("Grundbild", "Switch1"));
                     }});
        s.push_back({[] {
                         auto* b = qobject_cast<QAbstractButton*>(element("Grundbild", "Switch1"));
                         return b && b->text() != QStringLiteral("SIMULATION EIN");
                     },
                     [] { notiere(QStringLiteral("lebt")); }});
    }
    return s;
}

void starten()
{
    const QString name = qEnvironmentVariable("KW_FERNBEDIENUNG");
    if (name.isEmpty())
        return;
    auto* schritte = new std::vector<Schritt>(Ablauf(name));
    auto* takt = new QTimer(QCoreApplication::instance());
    auto* naechster = new std::size_t(0);
    takt->setInterval(50);
    QObject::connect(takt, &QTimer::timeout, [schritte, naechster, takt] {
        if (*naechster >= schritte->size()) {
            takt->stop();
            return;
        }
        Schritt& s = (*schritte)[*naechster];
        if (s.bereit()) {
            ++*naechster;
            s.tun();
        }
    });
    takt->start();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(starten)
