// kem-recorder-sim: plays a recorder on a pseudo-terminal. The first line on stdout is the path of
// the terminal to open as the serial port; control commands come on stdin (answers on stdout) and,
// with --control, on a Unix socket.
#include "sim_commands.h"
#include "sim_control.h"
#include "sim_line.h"
#include "sim_recorder.h"

#include <QFile>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};
void OnSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &c, 1);
}

struct Options {
    QString statePath;
    QString controlPath;
    QString linkPath;
    QString sendLine;
    int baud = 0;
    int deviceBaud = 0;
    int pages = 8192;
    bool help = false;
};

const char* kUsage =
    "usage: kem-recorder-sim [--state FILE] [--baud N] [--pages 4096|8192] [--device-baud N]\n"
    "                        [--control SOCKET] [--link PATH]\n"
    "       kem-recorder-sim --control SOCKET --send 'COMMAND'\n"
    "  --state FILE      keep the carrier, registers, status and clock in FILE between runs\n"
    "  --baud N          send at the pace of an N-baud line (10 bits a byte); 0 = as fast as possible\n"
    "  --pages N         carrier size for a fresh state: 4096 (flash 0x2C) or 8192 (0x38)\n"
    "  --device-baud N   answer only when the office's port is set to N baud\n"
    "  --control SOCKET  also take control commands on this Unix socket\n"
    "  --link PATH       keep a symlink at PATH to the current pseudo-terminal (survives unplug/plug)\n"
    "The first line on stdout is the pseudo-terminal to open. Control commands (stdin or socket):\n";

bool ParseOptions(int argc, char** argv, Options& o)
{
    const QStringList args = [&] {
        QStringList a;
        for (int i = 1; i < argc; ++i) a << QString::fromLocal8Bit(argv[i]);
        return a;
    }();
    for (int i = 0; i < args.size(); ++i) {
        QString name = args[i], value;
        const int eq = name.indexOf('=');
        if (eq > 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        } else if (name != "--help" && i + 1 < args.size()) {
            value = args[++i];
        }
        bool ok = true;
        if (name == "--help") o.help = true;
        else if (name == "--state") o.statePath = value;
        else if (name == "--control") o.controlPath = value;
        else if (name == "--link") o.linkPath = value;
        else if (name == "--send") o.sendLine = value;
        else if (name == "--baud") o.baud = value.toInt(&ok);
        else if (name == "--device-baud") o.deviceBaud = value.toInt(&ok);
        else if (name == "--pages") o.pages = value.toInt(&ok);
        else ok = false;
        if (!ok || (value.isNull() && name != "--help")) {
            std::fprintf(stderr, "kem-recorder-sim: bad option %s\n", qPrintable(args[i]));
            return false;
        }
    }
    return true;
}

using Clock = SimLine::Clock;

int RunSimulator(const Options& o)
{
    SimCarrier carrier(o.pages);
    if (!o.statePath.isEmpty() && QFile::exists(o.statePath) && !carrier.load(o.statePath))
        std::fprintf(stderr, "kem-recorder-sim: %s is not a simulator state; starting empty\n", qPrintable(o.statePath));
    SimFaults faults;
    SimStats stats;
    SimLine line(o.baud, o.linkPath);
    SimRecorder recorder(carrier, faults, stats);
    SimContext ctx{carrier, faults, stats, line, o.statePath};
    SimControl control([&](const std::string& text) { return RunSimCommand(ctx, text); });

    if (!line.plug()) {
        std::fprintf(stderr, "kem-recorder-sim: cannot open a pseudo-terminal\n");
        return 1;
    }
    if (!o.controlPath.isEmpty() && !control.listen(o.controlPath)) {
        std::fprintf(stderr, "kem-recorder-sim: cannot listen on %s\n", qPrintable(o.controlPath));
        return 1;
    }
    control.watchStdin();
    std::printf("%s\n", line.slavePath().c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "kem-recorder-sim: recorder on %s, %d pages%s\n", line.slavePath().c_str(),
                 carrier.pageCount(), o.baud > 0 ? qPrintable(QString(", paced at %1 baud").arg(o.baud)) : "");

    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return 1;
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGHUP, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);

    // The state file follows the carrier: at most once a second while it changes, and at the end.
    Clock::time_point saveAt = Clock::time_point::max();
    const auto saveState = [&] {
        if (!o.statePath.isEmpty() && carrier.dirty() && !carrier.save(o.statePath))
            std::fprintf(stderr, "kem-recorder-sim: cannot write %s\n", qPrintable(o.statePath));
        saveAt = Clock::time_point::max();
    };

    while (!ctx.quit) {
        const Clock::time_point nextByte = line.pump();
        if (carrier.dirty() && saveAt == Clock::time_point::max()) saveAt = Clock::now() + std::chrono::seconds(1);
        if (Clock::now() >= saveAt) saveState();
        const Clock::time_point wake = std::min(nextByte, saveAt);

        std::vector<pollfd> fds{{g_signalPipe[0], POLLIN, 0}};
        if (line.plugged()) fds.push_back({line.fd(), short(POLLIN | (line.wantsWrite() ? POLLOUT : 0)), 0});
        control.addPollFds(fds);
        timespec timeout{};
        timespec* t = nullptr;
        if (wake != Clock::time_point::max()) {
            const auto ns = std::max<int64_t>(0, std::chrono::duration_cast<std::chrono::nanoseconds>(wake - Clock::now()).count());
            timeout = {time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
            t = &timeout;
        }
        if (::ppoll(fds.data(), fds.size(), t, nullptr) < 0) continue;
        if (fds[0].revents & POLLIN) break;
        if (line.plugged() && (fds[1].revents & POLLIN)) {
            QByteArray bytes;
            while (line.read(bytes)) {
                stats.hostBaud = line.hostBaud();
                // At another line speed the recorder sees only noise.
                if (o.deviceBaud > 0 && stats.hostBaud != o.deviceBaud) continue;
                recorder.feed(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), line);
            }
        }
        control.handle(fds);
    }
    saveState();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!ParseOptions(argc, argv, o)) return 2;
    if (o.help) {
        std::fputs(kUsage, stdout);
        std::fputs(SimCommandHelp().c_str(), stdout);
        return 0;
    }
    if (!o.sendLine.isEmpty()) return SimSendCommand(o.controlPath, o.sendLine.toStdString());
    if (o.pages != 4096 && o.pages != 8192) {
        std::fprintf(stderr, "kem-recorder-sim: --pages is 4096 or 8192\n");
        return 2;
    }
    return RunSimulator(o);
}
