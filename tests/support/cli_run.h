#pragma once
// Runs the built kemsys-cli with arguments and keeps what it said, for tests of its commands.
#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

struct CliRun {
    int exitCode = -1;  // -1 when the program crashed or did not finish in time
    QByteArray out;
    QByteArray err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

inline QString CliPath() { return QStringLiteral(KEM_BIN_DIR) + "/kemsys-cli"; }

inline CliRun RunCli(const QStringList& args, int timeoutMs = 120000)
{
    QProcess p;
    p.start(CliPath(), args);
    CliRun r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    if (p.exitStatus() == QProcess::NormalExit) r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}
