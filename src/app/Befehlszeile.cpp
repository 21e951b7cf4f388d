#include "app/Befehlszeile.h"
#include "Version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace kw {

namespace {
const char* const Programmname = "kesselwerk";

// An installed program's folder is never its data folder, even where root could write it.
bool Systemordner(const QString& ordner)
{
    const QString p = QDir(ordner).canonicalPath();
    for (const char* s : {"/usr", "/bin", "/sbin", "/lib", "/etc"}) {
        const QString sys = QLatin1String(s);
        if (p == sys || p.startsWith(sys + QLatin1Char('/')))
            return true;
    }
    return false;
}
} // namespace

Befehlszeile Befehlszeile_Lesen(const QStringList& argumente)
{
    Befehlszeile b;
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Kesselwerk: mash controller for a small brewery."));
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption hilfe({QStringLiteral("h"), QStringLiteral("help")},
                                   QStringLiteral("Shows this help and ends."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and ends."));
    const QCommandLineOption ordner(
        QStringLiteral("ordner"),
        QStringLiteral("Program folder (settings, recipes, history, journals). Default: the "
                       "program's own folder when writable, else ~/.local/share/kesselwerk."),
        QStringLiteral("DIR"));
    const QCommandLineOption testgeraet(
        QStringLiteral("testgeraet"),
        QStringLiteral("Test device instead of relays: each output byte is appended to FILE as one line "
                       "\"<Unix time in ms> <byte>\" (bit 0 heating ... bit 7 signal)."),
        QStringLiteral("FILE"));
    const QCommandLineOption importieren(
        QStringLiteral("importieren"),
        QStringLiteral("Imports a BeerXML or BeerJSON file without a window and writes <beer name>.rez "
                       "into the folder of --nach (one file per recipe unless --rezept names one)."),
        QStringLiteral("FILE"));
    const QCommandLineOption rezept(QStringLiteral("rezept"),
                                    QStringLiteral("With --importieren: the recipe to take from the file."),
                                    QStringLiteral("NAME"));
    const QCommandLineOption ruehren(QStringLiteral("ruehren"),
                                     QStringLiteral("With --importieren: stirrer pulse and pause in seconds "
                                                    "for every phase (0..9999 each)."),
                                     QStringLiteral("PULSE,PAUSE"));
    const QCommandLineOption nach(QStringLiteral("nach"),
                                  QStringLiteral("With --importieren: folder for the recipe files."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption probelauf(
        QStringLiteral("probelauf"),
        QStringLiteral("Dry run without a window: runs the recipe's mash program through the controller "
                       "against the kettle model learned from the brew journals of the program folder and "
                       "prints one line per phase (planned and predicted times, highest temperature, "
                       "energy) and a last line \"Gesamt\" with the total time (h:min) and energy (kWh). "
                       "Exit 0, or 1 when the recipe cannot run."),
        QStringLiteral("RECIPE.rez"));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("With --probelauf: writes the predicted curve to FILE "
                                                "(t_s;Phase;Ist;SollAkt;Heizung, every 5 s)."),
                                 QStringLiteral("FILE"));
    p.addOption(hilfe);
    p.addOption(version);
    p.addOption(ordner);
    p.addOption(importieren);
    p.addOption(rezept);
    p.addOption(ruehren);
    p.addOption(nach);
    p.addOption(testgeraet);
    p.addOption(probelauf);
    p.addOption(csv);

    if (!p.parse(argumente)) {
        b.ergebnis = Befehlszeile::Ergebnis::Fehler;
        b.text = QStringLiteral("%1: %2 (see --help)").arg(QLatin1String(Programmname), p.errorText());
        return b;
    }
    if (!p.positionalArguments().isEmpty()) {
        b.ergebnis = Befehlszeile::Ergebnis::Fehler;
        b.text = QStringLiteral("%1: unexpected argument '%2' (see --help)")
                     .arg(QLatin1String(Programmname), p.positionalArguments().first());
        return b;
    }
    if (p.isSet(hilfe)) {
        b.ergebnis = Befehlszeile::Ergebnis::Hilfe;
        // helpText() names the executable from QCoreApplication, which may not exist yet.
        b.text = p.helpText();
        b.text.replace(QStringLiteral("<executable_name>"), QLatin1String(Programmname));
        return b;
    }
    if (p.isSet(version)) {
        b.ergebnis = Befehlszeile::Ergebnis::Version;
        b.text = QStringLiteral("%1 %2\n"
                                "Copyright (C) 2026 Kesselwerk developers\n"
                                "License GPL-3.0-or-later: GNU General Public License, version 3 or later "
                                "<https://www.gnu.org/licenses/gpl-3.0.html>\n"
                                "This is free software: you are free to change and redistribute it.\n"
                                "There is NO WARRANTY, to the extent permitted by law.\n")
                     .arg(QLatin1String(Programmname), QStringLiteral(KW_VERSION));
        return b;
    }
    b.ordner = p.value(ordner);
    if (p.isSet(testgeraet)) {
        b.testgeraet = p.value(testgeraet);
        if (b.testgeraet.isEmpty()) {
            b.ergebnis = Befehlszeile::Ergebnis::Fehler;
            b.text = QStringLiteral("%1: --testgeraet needs a file name (see --help)").arg(QLatin1String(Programmname));
            return b;
        }
        // The guard runs in another folder's view of things: hand it an absolute path.
        b.testgeraet = QFileInfo(b.testgeraet).absoluteFilePath();
    }
    const auto fehler = [&b](const QString& text) {
        b.ergebnis = Befehlszeile::Ergebnis::Fehler;
        b.text = QStringLiteral("%1: %2 (see --help)").arg(QLatin1String(Programmname), text);
        return b;
    };
    if (p.isSet(probelauf)) {
        if (p.isSet(importieren))
            return fehler(QStringLiteral("--probelauf and --importieren go one at a time"));
        b.probelauf = p.value(probelauf);
        if (b.probelauf.isEmpty())
            return fehler(QStringLiteral("--probelauf needs a recipe file"));
        if (p.isSet(csv)) {
            b.csv = p.value(csv);
            if (b.csv.isEmpty())
                return fehler(QStringLiteral("--csv needs a file name"));
        }
    } else if (p.isSet(csv)) {
        return fehler(QStringLiteral("--csv belongs to --probelauf"));
    }
    if (p.isSet(importieren)) {
        b.importieren = p.value(importieren);
        if (b.importieren.isEmpty())
            return fehler(QStringLiteral("--importieren needs a file"));
        if (!p.isSet(nach) || p.value(nach).isEmpty())
            return fehler(QStringLiteral("--importieren needs --nach DIR"));
        b.nach = p.value(nach);
        b.rezept = p.value(rezept);
        if (p.isSet(ruehren)) {
            const QStringList teile = p.value(ruehren).split(u',');
            const auto ziffern = [](const QString& t) {
                if (t.isEmpty() || t.size() > 4)
                    return false;
                for (QChar c : t)
                    if (c < u'0' || c > u'9')
                        return false;
                return true;
            };
            if (teile.size() != 2 || !ziffern(teile[0]) || !ziffern(teile[1]))
                return fehler(QStringLiteral("--ruehren takes PULSE,PAUSE, each 0..9999 seconds"));
            b.ruehrimpuls = teile[0];
            b.ruehrpause = teile[1];
        }
    } else if (p.isSet(rezept) || p.isSet(ruehren) || p.isSet(nach)) {
        return fehler(QStringLiteral("--rezept, --ruehren and --nach belong to --importieren"));
    }
    return b;
}

namespace {
// The folder the rules choose, before it is created.
QString Ordner_Nach_Regeln(const QString& ordnerOption, const QString& programmOrdner)
{
    if (!ordnerOption.isEmpty())
        return ordnerOption;
    if (!programmOrdner.isEmpty() && !Systemordner(programmOrdner) &&
        ::access(QFile::encodeName(programmOrdner).constData(), W_OK | X_OK) == 0)
        return programmOrdner;
    QString basis = qEnvironmentVariable("XDG_DATA_HOME");
    if (basis.isEmpty() || QDir::isRelativePath(basis))
        basis = QDir::homePath() + QStringLiteral("/.local/share");
    return basis + QStringLiteral("/kesselwerk");
}
} // namespace

QString Programmordner_Waehlen(const QString& ordnerOption, const QString& programmOrdner,
                               QString* fehler, Ordnerfehler* warum)
{
    const QString pfad = QDir(Ordner_Nach_Regeln(ordnerOption, programmOrdner)).absolutePath();
    std::error_code f;
    const std::filesystem::path p(QFile::encodeName(pfad).toStdString());
    std::filesystem::create_directories(p, f);
    if (!f && !std::filesystem::is_directory(p, f) && !f)
        f = std::make_error_code(std::errc::not_a_directory);
    if (f) {
        const QString grund = QString::fromLocal8Bit(f.message());
        if (fehler)
            *fehler = QStringLiteral("cannot create the program folder %1: %2").arg(pfad, grund);
        if (warum)
            *warum = {pfad, grund};
        return {};
    }
    return pfad;
}

QString Programmordner_Vorhanden(const QString& ordnerOption, const QString& programmOrdner)
{
    const QString pfad = QDir(Ordner_Nach_Regeln(ordnerOption, programmOrdner)).absolutePath();
    return QFileInfo(pfad).isDir() ? pfad : QString();
}

} // namespace kw
