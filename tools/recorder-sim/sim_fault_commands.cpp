// Control commands that make the recorder misbehave.
#include "sim_commands.h"
#include "sim_line.h"

namespace {

// "NAME [N]": sets a counter of faults (N defaults to 1).
SimHandler Counter(int SimFaults::*field)
{
    return [field](SimContext& ctx, const SimArgs& args) {
        long long n = 1;
        if (!args.empty() && (!SimParseInt(args[0], n) || n < 0)) return SimError("count expected");
        ctx.faults.*field = int(n);
        return SimOk();
    };
}

const SimCommand regDrop("drop", "drop [N]            lose the next N replies", Counter(&SimFaults::dropReplies));
const SimCommand regCorrupt("corrupt", "corrupt [N]         next N replies with a wrong checksum",
                            Counter(&SimFaults::corruptReplies));
const SimCommand regBadGood("badcs-then-good", "badcs-then-good [N] next N replies preceded by a copy with a wrong checksum",
                            Counter(&SimFaults::badThenGood));
const SimCommand regNak("nak", "nak [N]             refuse the next N commands (rpNak)", Counter(&SimFaults::nakCommands));
const SimCommand regGarbage("garbage", "garbage [N]         garbage bytes before and between the frames of N replies",
                            Counter(&SimFaults::garbageReplies));
const SimCommand regShortReg("short-register", "short-register [N]  next N register replies carry 7 data bytes",
                             Counter(&SimFaults::shortRegisters));

const SimCommand regLate("late", "late N MS           send the next N replies MS milliseconds late",
                         [](SimContext& ctx, const SimArgs& args) {
                             long long n, ms;
                             if (args.size() != 2 || !SimParseInt(args[0], n) || !SimParseInt(args[1], ms) || n < 0 ||
                                 ms < 0)
                                 return SimError("usage: late N MS");
                             ctx.faults.lateReplies = int(n);
                             ctx.faults.lateMs = int(ms);
                             return SimOk();
                         });

const SimCommand regSkip("skip-packet", "skip-packet I [N]   leave packet I out of the next N page reads",
                         [](SimContext& ctx, const SimArgs& args) {
                             long long i, n = 1;
                             if (args.empty() || !SimParseInt(args[0], i) || i < 0 || i > 21 ||
                                 (args.size() > 1 && !SimParseInt(args[1], n)))
                                 return SimError("usage: skip-packet INDEX [N]");
                             ctx.faults.skipPacketIndex = int(i);
                             ctx.faults.skipPacketReads = int(n);
                             return SimOk();
                         });

const SimCommand regClearDelay("clear-delay", "clear-delay MS      erasing the carrier takes MS before the acknowledgement",
                               [](SimContext& ctx, const SimArgs& args) {
                                   long long ms;
                                   if (args.size() != 1 || !SimParseInt(args[0], ms) || ms < 0)
                                       return SimError("usage: clear-delay MS");
                                   ctx.faults.clearDelayMs = int(ms);
                                   return SimOk();
                               });

const SimCommand regSilent("silent", "silent on|off       answer nothing (the cable is out, the port stays)",
                           [](SimContext& ctx, const SimArgs& args) {
                               if (args.size() != 1 || (args[0] != "on" && args[0] != "off"))
                                   return SimError("usage: silent on|off");
                               ctx.faults.silent = args[0] == "on";
                               return SimOk();
                           });

const SimCommand regUnplug("unplug", "unplug [PAGES]      pull the plug now, or after PAGES more page reads",
                           [](SimContext& ctx, const SimArgs& args) {
                               long long pages = 0;
                               if (!args.empty() && (!SimParseInt(args[0], pages) || pages < 0))
                                   return SimError("usage: unplug [PAGES]");
                               if (pages == 0) {
                                   ctx.line.unplug();
                               } else {
                                   ctx.faults.unplugAfterPages = int(pages);
                               }
                               return SimOk();
                           });

const SimCommand regPlug("plug", "plug                plug back in (a new pseudo-terminal; --link follows it)",
                         [](SimContext& ctx, const SimArgs&) {
                             if (!ctx.line.plug()) return SimError("cannot open a pseudo-terminal");
                             return SimOk(ctx.line.slavePath());
                         });

const SimCommand regFaults("faults-off", "faults-off          forget every pending fault",
                           [](SimContext& ctx, const SimArgs&) {
                               const int clearDelay = ctx.faults.clearDelayMs;
                               ctx.faults = SimFaults{};
                               ctx.faults.clearDelayMs = clearDelay;
                               return SimOk();
                           });

}  // namespace
