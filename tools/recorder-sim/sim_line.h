#pragma once
// The simulator's end of the serial line: a pseudo-terminal whose slave the office opens like a
// serial port. Replies are queued and, with a baud rate set, go out at the line's own pace (10 bits
// a byte), so that a transfer takes as long as on a real cable; commands count as received only
// once their bytes would have crossed the line.
#include "sim_recorder.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <deque>
#include <string>

class SimLine : public SimOutput {
public:
    using Clock = std::chrono::steady_clock;

    SimLine(int baud, QString linkPath) : baud_(baud), linkPath_(std::move(linkPath)) {}
    ~SimLine() override;

    // Opens a new pseudo-terminal (and points the --link symlink at it).
    bool plug();
    // Closes it: the office sees its port vanish, as when a USB adapter is pulled out.
    void unplug() override;
    bool plugged() const { return master_ >= 0; }
    const std::string& slavePath() const { return slavePath_; }
    int fd() const { return master_; }

    void send(const QByteArray& bytes, int delayMs) override;
    // Reads what the office sent (already paced) into out; false when nothing came.
    bool read(QByteArray& out);
    // Writes whatever is due; returns when the next byte is due (Clock::time_point::max() when idle).
    Clock::time_point pump();
    bool wantsWrite() const { return blocked_; }
    // The baud rate the office set on its end of the line (0 when unknown).
    int hostBaud() const;

private:
    struct Chunk {
        QByteArray bytes;
        Clock::time_point notBefore;
        Clock::time_point started{};
        bool begun = false;
        int written = 0;
    };
    Clock::duration byteTime() const;

    int baud_;
    QString linkPath_;
    int master_ = -1;
    int keepSlave_ = -1;  // keeps the line up while the office has its end closed
    std::string slavePath_;
    std::deque<Chunk> queue_;
    Clock::time_point lineFree_{};
    Clock::time_point rxDone_{};
    bool blocked_ = false;
};
