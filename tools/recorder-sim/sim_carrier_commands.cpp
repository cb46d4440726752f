// Control commands that look at or change the carrier, the registers and the status.
#include "sim_commands.h"
#include "sim_line.h"

#include <QFile>
#include <cstdio>
#include <sstream>

namespace {

std::string Hex(uint64_t v)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(v));
    return text;
}

bool OnOff(const SimArgs& args, bool& on)
{
    if (args.size() != 1 || (args[0] != "on" && args[0] != "off")) return false;
    on = args[0] == "on";
    return true;
}

const SimCommand regLoad("load", "load FILE [PAGE]    a state file, or raw bytes into the carrier from PAGE",
                         [](SimContext& ctx, const SimArgs& args) {
                             long long page = 0;
                             if (args.empty() || (args.size() > 1 && !SimParseInt(args[1], page)))
                                 return SimError("usage: load FILE [PAGE]");
                             const QString path = QString::fromStdString(args[0]);
                             if (args.size() == 1 && ctx.carrier.load(path)) {
                                 ctx.carrier.markDirty();
                                 return SimOk("state");
                             }
                             QFile file(path);
                             if (!file.open(QIODevice::ReadOnly)) return SimError("cannot read " + args[0]);
                             const QByteArray bytes = file.readAll();
                             if (page < 0 || page >= ctx.carrier.pageCount() ||
                                 !ctx.carrier.writeBytes(size_t(page) * SimCarrier::kPageSize,
                                                         reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                         size_t(bytes.size())))
                                 return SimError("does not fit the carrier");
                             return SimOk(std::to_string(bytes.size()) + " bytes");
                         });

const SimCommand regDump("dump", "dump FILE [PAGE [COUNT]]  write carrier pages to a file (raw)",
                         [](SimContext& ctx, const SimArgs& args) {
                             long long page = 0, count = -1;
                             if (args.empty() || (args.size() > 1 && !SimParseInt(args[1], page)) ||
                                 (args.size() > 2 && !SimParseInt(args[2], count)))
                                 return SimError("usage: dump FILE [PAGE [COUNT]]");
                             if (count < 0) count = ctx.carrier.pageCount() - page;
                             if (page < 0 || count < 0 || page + count > ctx.carrier.pageCount())
                                 return SimError("pages out of range");
                             QFile file(QString::fromStdString(args[0]));
                             if (!file.open(QIODevice::WriteOnly) ||
                                 file.write(reinterpret_cast<const char*>(ctx.carrier.page(int(page))),
                                            count * SimCarrier::kPageSize) != count * SimCarrier::kPageSize)
                                 return SimError("cannot write " + args[0]);
                             return SimOk(std::to_string(count) + " pages");
                         });

const SimCommand regSave("save", "save [FILE]         write the state file (default: --state)",
                         [](SimContext& ctx, const SimArgs& args) {
                             const QString path = args.empty() ? ctx.statePath : QString::fromStdString(args[0]);
                             if (path.isEmpty()) return SimError("no state file");
                             return ctx.carrier.save(path) ? SimOk() : SimError("cannot write the state file");
                         });

const SimCommand regClear("clear", "clear               erase the carrier (empty, mode 4)", [](SimContext& ctx, const SimArgs&) {
    ctx.carrier.clear();
    return SimOk();
});

const SimCommand regPages("pages", "pages 4096|8192     carrier size (flash type 0x2C or 0x38); clears it",
                          [](SimContext& ctx, const SimArgs& args) {
                              long long n;
                              if (args.size() != 1 || !SimParseInt(args[0], n) || !ctx.carrier.setPageCount(int(n)))
                                  return SimError("usage: pages 4096|8192");
                              return SimOk();
                          });

const SimCommand regMode("mode", "mode 1|2|3|4        carrier mode (2 data, 4 empty, 1 and 3 faulty)",
                         [](SimContext& ctx, const SimArgs& args) {
                             long long m;
                             if (args.size() != 1 || !SimParseInt(args[0], m) || m < 1 || m > 4)
                                 return SimError("usage: mode 1|2|3|4");
                             ctx.carrier.setMode(int(m));
                             return SimOk();
                         });

const SimCommand regCalibration("calibration", "calibration on|off  the calibration-carrier flag",
                                [](SimContext& ctx, const SimArgs& args) {
                                    bool on;
                                    if (!OnOff(args, on)) return SimError("usage: calibration on|off");
                                    ctx.carrier.setCalibration(on);
                                    return SimOk();
                                });

const SimCommand regOverflow("overflow", "overflow on|off     the carrier-overflow flag", [](SimContext& ctx, const SimArgs& args) {
    bool on;
    if (!OnOff(args, on)) return SimError("usage: overflow on|off");
    ctx.carrier.setOverflow(on);
    return SimOk();
});

const SimCommand regReg("reg", "reg K [VALUE]       read or set register K", [](SimContext& ctx, const SimArgs& args) {
    long long k, v = 0;
    if (args.empty() || !SimParseInt(args[0], k) || k < 0 || k > 10) return SimError("usage: reg K [VALUE]");
    if (args.size() > 1) {
        try {
            v = static_cast<long long>(std::stoull(args[1], nullptr, 0));
        } catch (...) {
            return SimError("bad value");
        }
        ctx.carrier.setReg(int(k), uint64_t(v));
    }
    return SimOk(Hex(ctx.carrier.reg(int(k))));
});

const SimCommand regPosition("position", "position PAGE RECORDS  the recording position (register 5)",
                             [](SimContext& ctx, const SimArgs& args) {
                                 long long p, c;
                                 if (args.size() != 2 || !SimParseInt(args[0], p) || !SimParseInt(args[1], c))
                                     return SimError("usage: position PAGE RECORDS");
                                 ctx.carrier.setPosition(int(p), int(c));
                                 return SimOk();
                             });

const SimCommand regStatus("status", "status              mode, flags, size, position, clock and registers",
                           [](SimContext& ctx, const SimArgs&) {
                               std::ostringstream out;
                               const SimCarrier& c = ctx.carrier;
                               out << "mode=" << c.mode() << " calibration=" << c.calibration()
                                   << " overflow=" << c.overflow() << " pages=" << c.pageCount()
                                   << " position=" << c.positionPage() << ':' << c.positionRecords()
                                   << " clock=" << c.clockNow().toString(Qt::ISODate).toStdString()
                                   << " plugged=" << ctx.line.plugged();
                               for (int k = 0; k < 11; ++k) out << " r" << k << '=' << Hex(c.reg(k));
                               return SimOk(out.str());
                           });

const SimCommand regStats("stats", "stats               commands received by code, bad frames, bytes, host baud",
                          [](SimContext& ctx, const SimArgs&) {
                              std::ostringstream out;
                              static const char* names[16] = {"ping", "wreg", "rreg", "c3", "clear", "setmode", "flash",
                                                              "wstart", "wdata", "rpage", "cA", "rclock", "setclock",
                                                              "cD", "cE", "cF"};
                              for (int i = 0; i < 16; ++i) out << names[i] << '=' << ctx.stats.commands[i] << ' ';
                              out << "bad=" << ctx.stats.badFrames << " in=" << ctx.stats.bytesIn
                                  << " out=" << ctx.stats.bytesOut << " baud=" << ctx.line.hostBaud();
                              return SimOk(out.str());
                          });

const SimCommand regResetStats("reset-stats", "reset-stats         zero the counters of stats",
                               [](SimContext& ctx, const SimArgs&) {
                                   ctx.stats = SimStats{};
                                   return SimOk();
                               });

const SimCommand regHelp("help", "help                this list", [](SimContext&, const SimArgs&) {
    // One usage line each, indented, before the closing "ok".
    std::string text;
    std::istringstream lines(SimCommandHelp());
    for (std::string line; std::getline(lines, line);) text += "  " + line + "\n";
    return text + SimOk();
});

const SimCommand regQuit("quit", "quit                save the state and end", [](SimContext& ctx, const SimArgs&) {
    ctx.quit = true;
    return SimOk();
});

}  // namespace
