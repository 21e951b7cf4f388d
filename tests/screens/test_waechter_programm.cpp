// The program as it runs, with the real output guard driving the test device: the same bytes reach the
// relays, a hang is bridged by the guard and told once, a killed guard comes back, and every exit ends it.
// With KW_BILDSCHIRMFOTOS=<folder> the warnings are saved as pictures.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "screens/Anwendung.h"
#include "screens/Grundbild.h"
#include "screens/HardwareAbfrage.h"
#include "screens/Uhr.h"
#include "hardware/Prozessstarter.h"
#include "texts/Texte.h"

namespace kw::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class Leerstarter final : public Prozessstarter {
public:
    bool start(const std::string&, const std::vector<std::string>&, const std::string&) override { return true; }
    bool isRunning() override { return false; }
    void kill() override {}
};

std::vector<int> bytes(const std::string& datei)
{
    std::ifstream d(datei);
    std::vector<int> r;
    long long ms = 0;
    int b = 0;
    while (d >> ms >> b)
        r.push_back(b);
    return r;
}

bool warteBis(const std::function<bool()>& bedingung, std::chrono::milliseconds frist)
{
    const auto ende = std::chrono::steady_clock::now() + frist;
    while (!bedingung()) {
        if (std::chrono::steady_clock::now() >= ende)
            return false;
        ::poll(nullptr, 0, 5);
    }
    return true;
}

void foto(QWidget& w, const char* name)
{
    const QByteArray ordner = qgetenv("KW_BILDSCHIRMFOTOS");
    if (ordner.isEmpty())
        return;
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    w.grab().save(QString::fromLocal8Bit(ordner) + QLatin1Char('/') + QLatin1String(name));
}

struct ProgrammMitWaechter : ::testing::Test {
    fs::path ordner;
    std::string datei;
    Stelluhr uhr{std::chrono::sys_seconds{std::chrono::seconds{1796724000}}};
    Leerstarter starter;
    std::unique_ptr<Anwendung> app;
    Grundbild* grundbild = nullptr;

    void SetUp() override
    {
        std::string vorlage = (fs::temp_directory_path() / "kw_waechter_prog_XXXXXX").string();
        ordner = ::mkdtemp(vorlage.data());
        datei = (ordner / "relais.txt").string();
    }
    void TearDown() override
    {
        app.reset();
        QApplication::processEvents();
        std::error_code ec;
        fs::remove_all(ordner, ec);
    }

    void starten(const std::string& waechter = KW_WAECHTER_PFAD)
    {
        Anwendung::Teile t;
        t.uhr = &uhr;
        t.starter = &starter;
        t.Programmpfad = ordner.string();
        t.Waechterprogramm = waechter;
        t.Testgeraet = datei;
        app = std::make_unique<Anwendung>(t);
        grundbild = &app->bildschirm<Grundbild>();
        grundbild->Timer_Anhalten();
        grundbild->show();
        tick(); // loads the settings and opens the dialog
        auto* ok = app->bildschirm<HardwareAbfrage>().findChild<QAbstractButton*>(QStringLiteral("Command1"));
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
        app->anlage.Manuell = 1;
        app->anlage.Man_Heizung_Ein = 1;
        tick();
    }
    void tick() { grundbild->Timer1_Timer(); }
    int letztes() const
    {
        auto b = bytes(datei);
        return b.empty() ? -1 : b.back();
    }
    std::vector<QMessageBox*> boxen() { return app->meldungsanzeige().offene(); }
};

TEST_F(ProgrammMitWaechter, GleicheBytesUndEinHaengerWirdUeberbruecktUndEinmalGemeldet)
{
    starten();
    ASSERT_NE(app->waechter(), nullptr);
    ASSERT_TRUE(app->waechter()->waechterAktiv());
    EXPECT_EQ(bytes(datei), (std::vector<int>{0, 1})) << "all off when the guard takes the port, then heating";
    int luecken = 0;
    qint64 luecke_ms = 0;
    QObject::connect(app.get(), &Anwendung::ausgaengeWarenAusGewesen, [&](qint64 ms) {
        ++luecken;
        luecke_ms = ms;
    });
    app->meldungsanzeige().alleSchliessen();

    // The user interface stands still for longer than a second: the guard switches off.
    ASSERT_TRUE(warteBis([&] { return letztes() == 0; }, 3s)) << "the heater stays on while the program hangs";
    ::poll(nullptr, 0, 200);
    tick();
    EXPECT_EQ(letztes(), 1) << "the next tick resumes the output";
    EXPECT_EQ(luecken, 1);
    EXPECT_GE(luecke_ms, 150);
    auto b = boxen();
    ASSERT_EQ(b.size(), 1u);
    const QString sekunden = QString::number(static_cast<double>(luecke_ms) / 1000.0, 'f', 1);
    EXPECT_EQ(b[0]->text().toStdString(),
              QString::fromStdString(Waechtertexte_Fuer(Sprache::Deutsch).Ausgaenge_Waren_Aus).arg(sekunden).toStdString());
    EXPECT_TRUE(b[0]->text().contains(QStringLiteral("alle Ausgänge ") + sekunden + QStringLiteral(" s lang")));
    foto(*b[0], "Waechter_Ausgaenge_waren_aus.png");
    tick();
    tick();
    EXPECT_EQ(luecken, 1) << "once per gap";
    EXPECT_EQ(boxen().size(), 1u);
    app->meldungsanzeige().alleSchliessen();

    // The guard is killed: the next tick starts it again and says so once.
    int neustarts = 0;
    QObject::connect(app.get(), &Anwendung::ausgangswaechterNeuGestartet, [&] { ++neustarts; });
    const pid_t alt = app->waechter()->waechterPid();
    ::kill(alt, SIGKILL);
    ASSERT_TRUE(warteBis([&] { return ::kill(alt, 0) != 0 || ::waitpid(alt, nullptr, WNOHANG) == alt; }, 3s));
    tick();
    EXPECT_EQ(neustarts, 1);
    EXPECT_NE(app->waechter()->waechterPid(), alt);
    EXPECT_EQ(letztes(), 1);
    b = boxen();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0]->text().toStdString(), Waechtertexte_Fuer(Sprache::Deutsch).Neu_Gestartet);
    foto(*b[0], "Waechter_neu_gestartet.png");
    app->meldungsanzeige().alleSchliessen();

    // BEENDEN: all off, the guard ended and reaped.
    const pid_t letzter = app->waechter()->waechterPid();
    grundbild->Beenden();
    EXPECT_EQ(letztes(), 0);
    EXPECT_NE(::kill(letzter, 0), 0) << "the guard outlives the program's exit";
    EXPECT_EQ(neustarts, 1);
}

TEST_F(ProgrammMitWaechter, OhneWaechterSagtEsDasUndSchaltetSelbst)
{
    starten((ordner / "fehlt").string());
    EXPECT_FALSE(app->waechter()->waechterAktiv());
    EXPECT_EQ(letztes(), 1) << "the program drives the test device itself";
    bool gemeldet = false;
    for (QMessageBox* b : boxen())
        if (b->text().startsWith(QStringLiteral("Der Ausgangswächter (kesselwerk-waechter) lässt sich nicht starten"))) {
            gemeldet = true;
            foto(*b, "Waechter_nicht_verfuegbar.png");
        }
    EXPECT_TRUE(gemeldet);
    grundbild->Beenden();
    EXPECT_EQ(letztes(), 0);
}

TEST(Waechtertexte, JedeSpracheHatAlleDreiTexteMitIhrenPlatzhaltern)
{
    for (Sprache s : {Sprache::Deutsch, Sprache::Englisch, Sprache::Portugiesisch, Sprache::Tschechisch,
                      Sprache::Polnisch}) {
        const Waechtertexte& t = Waechtertexte_Fuer(s);
        EXPECT_FALSE(t.Neu_Gestartet.empty());
        EXPECT_EQ(t.Neu_Gestartet.find("%1"), std::string::npos);
        EXPECT_NE(t.Nicht_Verfuegbar.find("%1"), std::string::npos);
        EXPECT_NE(t.Ausgaenge_Waren_Aus.find("%1"), std::string::npos);
        if (s != Sprache::Deutsch) {
            EXPECT_NE(t.Ausgaenge_Waren_Aus, Waechtertexte_Fuer(Sprache::Deutsch).Ausgaenge_Waren_Aus);
        }
    }
}

} // namespace
} // namespace kw::test
