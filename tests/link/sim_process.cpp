#include "sim_process.h"

SimProcess::SimProcess(const QStringList& args)
{
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QString(KEM_BIN_DIR) + "/kem-recorder-sim", args);
    if (!process_.waitForStarted(5000)) return;
    while (!process_.canReadLine())
        if (!process_.waitForReadyRead(5000)) return;
    path_ = QString::fromUtf8(process_.readLine()).trimmed();
}

SimProcess::~SimProcess()
{
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) process_.kill();
}

QString SimProcess::command(const QString& line)
{
    process_.write((line + "\n").toUtf8());
    process_.waitForBytesWritten(1000);
    for (;;) {
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(5000)) return "error no answer";
        const QString answer = QString::fromUtf8(process_.readLine()).trimmed();
        if (answer.startsWith("ok") || answer.startsWith("error")) return answer;
    }
}

std::map<QString, long long> SimProcess::stats()
{
    std::map<QString, long long> out;
    const QStringList words = command("stats").split(' ', Qt::SkipEmptyParts);
    for (const QString& w : words) {
        const int eq = w.indexOf('=');
        if (eq > 0) out[w.left(eq)] = w.mid(eq + 1).toLongLong();
    }
    return out;
}
