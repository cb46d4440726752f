#pragma once
// Control commands of the simulator, one line each ("drop 3", "dump /tmp/c.bin"), read from stdin
// and from the control socket. Every answer ends with a line that begins with "ok" or "error"
// (only "help" puts indented lines before it).
// A command is registered by a static SimCommand in its own file, so new commands (a trip
// scenario, a calibration run) need no change here:
//
//   static const SimCommand reg("drive", "drive SCENARIO  append a trip's protocol records",
//                               [](SimContext& ctx, const SimArgs& args) -> std::string { ... });
#include "sim_carrier.h"
#include "sim_faults.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

class SimLine;

struct SimContext {
    SimCarrier& carrier;
    SimFaults& faults;
    SimStats& stats;
    SimLine& line;
    QString statePath;    // the --state file ("" without one)
    bool quit = false;    // set by "quit"
};

using SimArgs = std::vector<std::string>;  // the words after the command name
using SimHandler = std::function<std::string(SimContext&, const SimArgs&)>;

struct SimCommand {
    SimCommand(const char* name, const char* usage, SimHandler handler);
};

// Runs one control line; returns the answer line (without the newline).
std::string RunSimCommand(SimContext& ctx, const std::string& line);
// "name usage" of every command, one per line.
std::string SimCommandHelp();

// Helpers for handlers.
bool SimParseInt(const std::string& text, long long& value);
std::string SimOk(const std::string& text = {});
std::string SimError(const std::string& text);
