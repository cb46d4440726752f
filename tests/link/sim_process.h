#pragma once
// Runs kem-recorder-sim for a test: the pseudo-terminal path, control commands over its stdin.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <map>

class SimProcess {
public:
    explicit SimProcess(const QStringList& args = {});
    ~SimProcess();

    bool started() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }
    // Sends one control line and returns the answer's last line ("ok ..." / "error ...").
    QString command(const QString& line);
    // The counters of "stats" by name (ping, rreg, wreg, rpage, ..., bad, in, out, baud).
    std::map<QString, long long> stats();

private:
    QProcess process_;
    QString path_;
};

// Waits (processing queued calls) until the condition holds or the time is up.
template <typename F>
bool WaitFor(F condition, int timeoutMs);
#include "sim_process_wait.h"
