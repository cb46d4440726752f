#include "sim_control.h"

#include <QFile>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
bool FillAddress(sockaddr_un& addr, const QString& path)
{
    const QByteArray p = QFile::encodeName(path);
    if (p.size() >= int(sizeof addr.sun_path)) return false;
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, p.constData(), size_t(p.size()));
    return true;
}

void WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += size_t(n);
    }
}
}  // namespace

SimControl::~SimControl()
{
    for (const Client& c : clients_) ::close(c.fd);
    if (listenFd_ >= 0) {
        ::close(listenFd_);
        QFile::remove(socketPath_);
    }
}

bool SimControl::listen(const QString& socketPath)
{
    sockaddr_un addr;
    if (!FillAddress(addr, socketPath)) return false;
    QFile::remove(socketPath);
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listenFd_, 4) != 0)
        return false;
    socketPath_ = socketPath;
    return true;
}

void SimControl::addPollFds(std::vector<pollfd>& fds) const
{
    if (stdinOpen_) fds.push_back({STDIN_FILENO, POLLIN, 0});
    if (listenFd_ >= 0) fds.push_back({listenFd_, POLLIN, 0});
    for (const Client& c : clients_) fds.push_back({c.fd, POLLIN, 0});
}

void SimControl::handle(const std::vector<pollfd>& fds)
{
    char buffer[4096];
    for (const pollfd& p : fds) {
        if (!(p.revents & (POLLIN | POLLHUP | POLLERR))) continue;
        if (p.fd == STDIN_FILENO && stdinOpen_) {
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0) {
                stdinOpen_ = false;  // the simulator keeps running without its stdin
                continue;
            }
            stdinPending_.append(buffer, n);
            serveLines(stdinPending_, STDOUT_FILENO);
        } else if (p.fd == listenFd_) {
            const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) clients_.push_back({fd, {}});
        } else {
            for (auto it = clients_.begin(); it != clients_.end(); ++it) {
                if (it->fd != p.fd) continue;
                const ssize_t n = ::read(it->fd, buffer, sizeof buffer);
                if (n <= 0) {
                    ::close(it->fd);
                    clients_.erase(it);
                } else {
                    it->pending.append(buffer, n);
                    serveLines(it->pending, it->fd);
                }
                break;
            }
        }
    }
}

void SimControl::serveLines(QByteArray& pending, int replyFd)
{
    for (int eol; (eol = pending.indexOf('\n')) >= 0;) {
        const std::string line = pending.left(eol).trimmed().toStdString();
        pending.remove(0, eol + 1);
        WriteAll(replyFd, runner_(line) + "\n");
    }
}

int SimSendCommand(const QString& socketPath, const std::string& line)
{
    sockaddr_un addr;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || !FillAddress(addr, socketPath) || ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        std::fprintf(stderr, "kem-recorder-sim: cannot reach %s\n", qPrintable(socketPath));
        return 1;
    }
    WriteAll(fd, line + "\n");
    std::string answer;
    char buffer[4096];
    // The answer is complete with its line that begins with "ok" or "error".
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        answer.append(buffer, size_t(n));
        const size_t last = answer.rfind('\n', answer.size() - 2);
        const std::string tail = answer.substr(last == std::string::npos ? 0 : last + 1);
        if (answer.back() == '\n' && (tail.rfind("ok", 0) == 0 || tail.rfind("error", 0) == 0)) break;
    }
    ::close(fd);
    std::fwrite(answer.data(), 1, answer.size(), stdout);
    return answer.find("\nerror") == std::string::npos && answer.rfind("error", 0) != 0 ? 0 : 1;
}
