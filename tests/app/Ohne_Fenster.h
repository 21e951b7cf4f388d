#pragma once
// The real program in a child process without a display (a command-line mode), its
// output and exit code. KW_PROGRAMM names the program.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace kw::test {

struct Lauf {
    int rc = -1;  // -1: did not end within 30 s, -2: crashed
    QString aus, fehler;
    QStringList aus_zeilen() const { return aus.split(u'\n', Qt::SkipEmptyParts); }
};

inline Lauf Ohne_Fenster_Starten(const QStringList& argumente)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KW_PROGRAMM), argumente);
    Lauf l;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished(5000);
        return l;
    }
    l.rc = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    l.aus = QString::fromUtf8(p.readAllStandardOutput());
    l.fehler = QString::fromUtf8(p.readAllStandardError());
    return l;
}

} // namespace kw::test
