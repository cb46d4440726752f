// Reading a carrier from the recorder simulator through the communication manager.
//   LinkReadUnpaced/8192: the whole carrier with the simulator answering at once; us_per_page is the
//     program's own turnaround (link, worker, port thread, pseudo-terminal and simulator).
//   LinkReadPaced/256: 256 pages with the simulator pacing its line at 230400 baud; line_ratio is
//     the read time divided by the line's own time for the bytes exchanged (10 bits a byte).
#include "../support/sim_process.h"
#include "kem_comm_dm.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

// The serial port's thread and the manager's queued calls want an application object.
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "kem-bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

void ReadPages(benchmark::State& state, const QStringList& simArgs, int baud)
{
    EnsureApplication();
    const int pages = int(state.range(0));
    SimProcess sim(simArgs);
    if (!sim.started()) {
        state.SkipWithError("the simulator did not start");
        return;
    }
    TKemCommDM dm;
    dm.StartLink(sim.path());
    if (!WaitFor([&] { return dm.Connected(); }, 5000) || !dm.FetchDeviceState()) {
        state.SkipWithError("no recorder");
        return;
    }
    double seconds = 0, lineSeconds = 0;
    for (auto _ : state) {
        sim.command("reset-stats");
        QElapsedTimer timer;
        timer.start();
        if (!dm.StartReadPages(0, pages)) state.SkipWithError("refused");
        while (dm.Busy()) QThread::usleep(200);
        const double elapsed = double(timer.nsecsElapsed()) / 1e9;
        if (dm.LastError() != 0 || dm.Transferred() != pages * 528) state.SkipWithError("read failed");
        state.SetIterationTime(elapsed);
        seconds += elapsed;
        const auto stats = sim.stats();
        if (baud > 0) lineSeconds += double(stats.at("in") + stats.at("out")) * 10.0 / baud;
    }
    const double n = double(state.iterations());
    state.counters["us_per_page"] = seconds / n / pages * 1e6;
    if (baud > 0) state.counters["line_ratio"] = seconds / lineSeconds;
    state.SetItemsProcessed(int64_t(n) * pages);
}

void LinkReadUnpaced(benchmark::State& state)
{
    ReadPages(state, {}, 0);
}

void LinkReadPaced(benchmark::State& state)
{
    ReadPages(state, {"--baud", "230400"}, 230400);
}

}  // namespace

BENCHMARK(LinkReadUnpaced)->Arg(8192)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(LinkReadPaced)->Arg(256)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
