#pragma once
// Runs kem-recorder-sim for a test or a benchmark: the pseudo-terminal path from its first line,
// control commands over its stdin. Header-only, so that the benchmark program can use it too;
// the including program defines KEM_BIN_DIR.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>
#include <map>

class SimProcess {
public:
    explicit SimProcess(const QStringList& args = {}, const QString& program = QString(KEM_BIN_DIR) + "/kem-recorder-sim")
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(program, args);
        if (!process_.waitForStarted(5000)) return;
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(5000)) return;
        path_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~SimProcess()
    {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) process_.kill();
    }

    bool started() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }

    // Sends one control line and returns the answer's last line ("ok ..." / "error ...").
    QString command(const QString& line)
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

    // The counters of "stats" by name (ping, rreg, wreg, rpage, ..., bad, in, out, baud).
    std::map<QString, long long> stats()
    {
        std::map<QString, long long> out;
        for (const QString& w : command("stats").split(' ', Qt::SkipEmptyParts)) {
            const int eq = w.indexOf('=');
            if (eq > 0) out[w.left(eq)] = w.mid(eq + 1).toLongLong();
        }
        return out;
    }

private:
    QProcess process_;
    QString path_;
};

// Waits (running queued calls) until the condition holds or the time is up.
template <typename F>
bool WaitFor(F condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}
