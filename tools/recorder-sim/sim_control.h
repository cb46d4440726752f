#pragma once
// Control channels of the simulator: lines on stdin (answers on stdout) and a Unix socket that
// any number of clients may connect to (answers on the same connection).
#include <QByteArray>
#include <QString>
#include <functional>
#include <poll.h>
#include <string>
#include <vector>

class SimControl {
public:
    using Runner = std::function<std::string(const std::string& line)>;

    explicit SimControl(Runner runner) : runner_(std::move(runner)) {}
    ~SimControl();

    bool listen(const QString& socketPath);
    void watchStdin() { stdinOpen_ = true; }

    // Adds this channel's descriptors to the poll set; handle() then serves what poll reported.
    void addPollFds(std::vector<pollfd>& fds) const;
    void handle(const std::vector<pollfd>& fds);

private:
    struct Client {
        int fd;
        QByteArray pending;
    };
    void serveLines(QByteArray& pending, int replyFd);

    Runner runner_;
    bool stdinOpen_ = false;
    QByteArray stdinPending_;
    int listenFd_ = -1;
    QString socketPath_;
    std::vector<Client> clients_;
};

// Sends one control line to a running simulator's socket and prints the answer; the exit code is
// 0 when the answer is "ok".
int SimSendCommand(const QString& socketPath, const std::string& line);
