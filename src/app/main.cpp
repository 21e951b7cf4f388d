// Kesselwerk: starts the main screen. Every way out (BEENDEN, closing the
// window, SIGTERM, SIGINT, SIGHUP) switches all outputs off and writes the
// all-off state before the program ends. The output guard covers the ways
// out that run no code (kill, crash, hang); the emergency handlers cover what
// still runs code when no guard does. A second start on the same program
// folder ends at once, before it touches anything.

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QLocale>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include "app/Befehlszeile.h"
#include "app/Importbefehl.h"
#include "app/Probelaufbefehl.h"
#include "fileio/AtomicWrite.h"
#include "fileio/FolderLock.h"
#include "hardware/Konfiguration.h"
#include "hardware/Notabschaltung.h"
#include "texts/Texte.h"
#include "screens/Anwendung.h"
#include "screens/Grundbild.h"
#include "screens/Schutzanwendung.h"

namespace {

// Self-pipe: the handler only writes one byte; the event loop does the work.
int signalRohr[2] = {-1, -1};

extern "C" void signalEmpfangen(int nummer)
{
    const int gesichert = errno;
    const unsigned char b = static_cast<unsigned char>(nummer);
    [[maybe_unused]] const ssize_t n = ::write(signalRohr[1], &b, 1);
    errno = gesichert;
}

bool signaleUmleiten()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalRohr) != 0)
        return false;
    struct sigaction sa {};
    sa.sa_handler = signalEmpfangen;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    bool ok = true;
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        ok = ::sigaction(s, &sa, nullptr) == 0 && ok;
    return ok;
}

// A start that cannot go on, said in a box where a display exists (stderr has it already).
void Melden(const QString& text)
{
    const QString plattform = QGuiApplication::platformName();
    if (plattform != QLatin1String("offscreen") && plattform != QLatin1String("minimal"))
        QMessageBox::critical(nullptr, QStringLiteral("Kesselwerk"), text);
}

// A second start on the same folder, or a lock file that cannot be taken: says so
// on stderr and, where a display exists, in a box.
void Start_Abweisen(const kw::FolderLock& sperre, const QString& ordner)
{
    QString text;
    if (sperre.state() == kw::FolderLock::State::Busy) {
        // The configuration's language; the file is only read.
        const kw::Konfiguration k = kw::Datei_Lesen(kw::Konfigurationsdatei_Pfad(ordner.toStdString()));
        const kw::Sprache sprache = kw::Sprache_Fuer_Nummer(kw::Zeilenzahl_Lesen(k.Sprache));
        text = QString::fromStdString(kw::Dateitexte_Fuer(sprache).Zweites_Programm)
                   .arg(ordner, sperre.holder() > 0 ? QString::number(sperre.holder()) : QStringLiteral("?"));
    } else {
        text = QString::fromStdString(sperre.error());
    }
    std::fprintf(stderr, "kesselwerk: %s\n", text.toLocal8Bit().constData());
    Melden(text);
}

// KW_STARTHALT_FD=<fd>: the program writes one byte to the descriptor right after it took the lock and
// then waits for one byte back. Tests use it to send a signal at exactly that point.
void Starthalt()
{
    bool ok = false;
    const int fd = qEnvironmentVariableIntValue("KW_STARTHALT_FD", &ok);
    if (!ok || fd < 0)
        return;
    qunsetenv("KW_STARTHALT_FD"); // not for the guard or DigiTemp
    unsigned char b = 'L';
    ssize_t n;
    do {
        n = ::write(fd, &b, 1);
    } while (n < 0 && errno == EINTR);
    if (n == 1) {
        do {
            n = ::read(fd, &b, 1);
        } while (n < 0 && errno == EINTR);
    }
    ::close(fd);
}

} // namespace

int main(int argc, char** argv)
{
    // The command line is read before any window system is touched (--help works without a display).
    QStringList argumente;
    for (int i = 0; i < argc; ++i)
        argumente << QString::fromLocal8Bit(argv[i]);
    const kw::Befehlszeile befehle = kw::Befehlszeile_Lesen(argumente);
    switch (befehle.ergebnis) {
    case kw::Befehlszeile::Ergebnis::Hilfe:
    case kw::Befehlszeile::Ergebnis::Version:
        std::fputs(befehle.text.toLocal8Bit().constData(), stdout);
        return 0;
    case kw::Befehlszeile::Ergebnis::Fehler:
        std::fprintf(stderr, "%s\n", befehle.text.toLocal8Bit().constData());
        return 2;
    case kw::Befehlszeile::Ergebnis::Weiter:
        break;
    }

    if (!befehle.probelauf.isEmpty()) {
        // No window and no device: Qt Core only; the outputs go to the kettle model.
        QCoreApplication kern(argc, argv);
        QString fehler;
        const QString ordner =
            kw::Programmordner_Waehlen(befehle.ordner, QCoreApplication::applicationDirPath(), &fehler);
        if (ordner.isEmpty()) {
            std::fprintf(stderr, "kesselwerk: %s\n", fehler.toLocal8Bit().constData());
            return 1;
        }
        kw::Probelaufeinstellungen e;
        e.ordner = ordner.toStdString();
        const kw::Konfiguration k = kw::Datei_Lesen(kw::Konfigurationsdatei_Pfad(e.ordner));
        e.sprachnummer = kw::Zeilenzahl_Lesen(k.Sprache);
        e.gradient = kw::Zeilenzahl_Lesen(k.Gradient) == 1;
        e.dezimaltrenner = QLocale::system().decimalPoint() == QStringLiteral(",") ? ',' : '.';
        return kw::Probelaufbefehl_Ausfuehren(befehle, e);
    }

    if (!befehle.importieren.isEmpty()) {
        // No window: Qt Core only, so it runs without a display.
        QCoreApplication kern(argc, argv);
        // The folder gives only the language: it is read when there, never created.
        const QString ordner = kw::Programmordner_Vorhanden(befehle.ordner, QCoreApplication::applicationDirPath());
        int sprache = 1;
        if (!ordner.isEmpty())
            sprache = kw::Zeilenzahl_Lesen(
                kw::Datei_Lesen(kw::Konfigurationsdatei_Pfad(ordner.toStdString())).Sprache);
        const char trenner = QLocale::system().decimalPoint() == QStringLiteral(",") ? ',' : '.';
        return kw::Importbefehl_Ausfuehren(befehle, sprache, trenner);
    }

    // Fatal signals, std::terminate and exit() from inside Qt (lost display) switch off what this process holds.
    if (!kw::notaus::installieren())
        std::fprintf(stderr, "kesselwerk: emergency all-off handlers could not all be installed.\n");

    // Catches what an event handler throws: outputs off, message, the program goes on.
    kw::Schutzanwendung qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kesselwerk"));
    // The main window ends the program through its own exit path.
    QApplication::setQuitOnLastWindowClosed(false);

    kw::Anwendung::Teile teile;
    QString fehler;
    kw::Ordnerfehler warum;
    const QString ordner =
        kw::Programmordner_Waehlen(befehle.ordner, QCoreApplication::applicationDirPath(), &fehler, &warum);
    if (ordner.isEmpty()) {
        std::fprintf(stderr, "kesselwerk: %s\n", fehler.toLocal8Bit().constData());
        // Started from the menu there is no terminal: the brewer sees the box. No configuration
        // can be read, so the system's language says it.
        const kw::Sprache sprache = kw::Sprache_Fuer_Sprachcode(QLocale::system().name().toStdString());
        Melden(QString::fromStdString(kw::Dateitexte_Fuer(sprache).Ordner_Nicht_Anlegbar).arg(warum.ordner, warum.grund));
        return 1;
    }
    teile.Programmpfad = ordner.toStdString();

    // One program per folder: taken before any output device, the guard or a file is touched,
    // held until the program ends (the system drops it however the program ends).
    const kw::FolderLock sperre(teile.Programmpfad);
    if (!sperre.held()) {
        Start_Abweisen(sperre, ordner);
        return 1;
    }
    // The clean way out from here on: a signal that comes while the screens are still being built
    // waits in the pipe and ends the program at once when the event loop runs.
    const bool signaleUmgeleitet = signaleUmleiten();
    if (!signaleUmgeleitet)
        std::fprintf(stderr, "kesselwerk: signals cannot be caught; end the program with BEENDEN.\n");
    Starthalt();
    // What a killed save left behind; no other instance writes here now.
    kw::remove_stale_temp_files(teile.Programmpfad);

    teile.Testgeraet = QFile::encodeName(befehle.testgeraet).toStdString();
    kw::Anwendung app(teile);
    qapp.setStoerungsbehandlung([&app](const std::string& was) { app.Stoerung(was); });
    app.anlage.Dezimaltrenner = QLocale::system().decimalPoint() == QStringLiteral(",") ? ',' : '.';

    auto& grundbild = app.bildschirm<kw::Grundbild>();
    QObject::connect(&grundbild, &kw::Grundbild::beendet, &qapp, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    if (signaleUmgeleitet) {
        auto* melder = new QSocketNotifier(signalRohr[0], QSocketNotifier::Read, &qapp);
        QObject::connect(melder, &QSocketNotifier::activated, &grundbild, [&grundbild, &app] {
            unsigned char puffer[16];
            while (::read(signalRohr[0], puffer, sizeof puffer) > 0) {
            }
            // A signal (shutdown, kill) cuts the brew off: its journal stays open for a resume.
            app.Journal_Unterbrechen("Signal");
            grundbild.Beenden();
        });
    }

    grundbild.show();
    const int rc = QApplication::exec();
    // Whatever ended the loop: the outputs go off (does nothing when already done).
    app.Alles_Aus_Und_Beenden();
    qapp.setStoerungsbehandlung({});
    return rc;
}
