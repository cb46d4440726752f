#include "sim_line.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

SimLine::~SimLine()
{
    unplug();
}

bool SimLine::plug()
{
    if (master_ >= 0) return true;
    const int m = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m < 0 || grantpt(m) != 0 || unlockpt(m) != 0) {
        if (m >= 0) ::close(m);
        return false;
    }
    const char* name = ptsname(m);
    if (!name) {
        ::close(m);
        return false;
    }
    slavePath_ = name;
    keepSlave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (keepSlave_ >= 0) {
        termios t{};
        tcgetattr(keepSlave_, &t);
        cfmakeraw(&t);
        tcsetattr(keepSlave_, TCSANOW, &t);
    }
    master_ = m;
    if (!linkPath_.isEmpty()) {
        QFile::remove(linkPath_);
        QFile::link(QString::fromStdString(slavePath_), linkPath_);
    }
    queue_.clear();
    blocked_ = false;
    return true;
}

void SimLine::unplug()
{
    if (master_ < 0) return;
    ::close(master_);
    if (keepSlave_ >= 0) ::close(keepSlave_);
    master_ = keepSlave_ = -1;
    queue_.clear();
}

SimLine::Clock::duration SimLine::byteTime() const
{
    return baud_ > 0 ? std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(10'000'000'000ll / baud_))
                     : Clock::duration::zero();
}

int SimLine::hostBaud() const
{
    if (keepSlave_ < 0) return 0;
    termios t{};
    if (tcgetattr(keepSlave_, &t) != 0) return 0;
    switch (cfgetospeed(&t)) {
    case B115200: return 115200;
    case B230400: return 230400;
    case B57600: return 57600;
    case B9600: return 9600;
    default: return 0;
    }
}

void SimLine::send(const QByteArray& bytes, int delayMs)
{
    if (master_ < 0) return;
    const Clock::time_point now = Clock::now();
    Clock::time_point at = now + std::chrono::milliseconds(delayMs);
    if (rxDone_ > at) at = rxDone_;  // the recorder answers once the whole command has arrived
    queue_.push_back({bytes, at});
}

bool SimLine::read(QByteArray& out)
{
    if (master_ < 0) return false;
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) return false;
    out = QByteArray(buffer, n);
    const Clock::time_point now = Clock::now();
    rxDone_ = std::max(rxDone_, now) + byteTime() * n;
    return true;
}

SimLine::Clock::time_point SimLine::pump()
{
    blocked_ = false;
    const Clock::duration bt = byteTime();
    while (master_ >= 0 && !queue_.empty()) {
        Chunk& c = queue_.front();
        const Clock::time_point now = Clock::now();
        if (!c.begun) {
            if (now < c.notBefore) return c.notBefore;
            c.begun = true;
            c.started = std::max(c.notBefore, lineFree_);
        }
        int due = int(c.bytes.size());
        if (bt > Clock::duration::zero()) {
            const auto elapsed = now - c.started;
            due = elapsed < Clock::duration::zero() ? 0 : std::min<int>(due, int(elapsed / bt));
        }
        if (due > c.written) {
            const ssize_t n = ::write(master_, c.bytes.constData() + c.written, size_t(due - c.written));
            if (n < 0) {
                if (errno == EAGAIN) blocked_ = true;
                return blocked_ ? Clock::time_point::max() : now + std::chrono::milliseconds(1);
            }
            c.written += int(n);
        }
        if (c.written < c.bytes.size()) {
            if (bt == Clock::duration::zero()) {
                blocked_ = true;
                return Clock::time_point::max();
            }
            return c.started + bt * (c.written + 1);
        }
        lineFree_ = c.started + bt * c.bytes.size();
        queue_.pop_front();
    }
    return Clock::time_point::max();
}
