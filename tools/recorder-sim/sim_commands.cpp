#include "sim_commands.h"

#include <map>
#include <sstream>

namespace {
struct Entry {
    std::string usage;
    SimHandler handler;
};
std::map<std::string, Entry>& registry()
{
    static std::map<std::string, Entry> commands;
    return commands;
}
}  // namespace

SimCommand::SimCommand(const char* name, const char* usage, SimHandler handler)
{
    registry()[name] = {usage, std::move(handler)};
}

std::string RunSimCommand(SimContext& ctx, const std::string& line)
{
    std::istringstream in(line);
    std::string name;
    if (!(in >> name) || name[0] == '#') return SimOk();
    SimArgs args;
    for (std::string word; in >> word;) args.push_back(word);
    const auto it = registry().find(name);
    if (it == registry().end()) return SimError("unknown command " + name + " (try help)");
    try {
        return it->second.handler(ctx, args);
    } catch (const std::exception& e) {
        return SimError(e.what());
    }
}

std::string SimCommandHelp()
{
    std::string out;
    for (const auto& [name, e] : registry()) out += e.usage + "\n";
    return out;
}

bool SimParseInt(const std::string& text, long long& value)
{
    try {
        size_t used = 0;
        value = std::stoll(text, &used, 0);
        return used == text.size();
    } catch (...) {
        return false;
    }
}

std::string SimOk(const std::string& text)
{
    return text.empty() ? "ok" : "ok " + text;
}

std::string SimError(const std::string& text)
{
    return "error " + text;
}
