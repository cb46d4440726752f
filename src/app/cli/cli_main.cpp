#include "cli_interaction.h"
#include "cli_registry.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <cstdio>
#include <map>

namespace {
struct Entry {
    const char* usage;
    CliHandler handler;
    QStringList valued;
};
std::map<QString, Entry>& registry()
{
    static std::map<QString, Entry> commands;
    return commands;
}

int usage()
{
    std::fprintf(stderr, "usage: kemsys-cli COMMAND [ARGS]\n");
    for (const auto& [name, e] : registry()) std::fprintf(stderr, "  %s\n", e.usage);
    return 2;
}
}  // namespace

CliCommand::CliCommand(const char* name, const char* usage, CliHandler handler, QStringList valuedOptions)
{
    registry()[QString::fromUtf8(name)] = {usage, handler, std::move(valuedOptions)};
}

QString CliArgs::option(const QString& name) const
{
    for (int i = 0; i < all.size(); ++i) {
        if (all[i] == name && i + 1 < all.size()) return all[i + 1];
        if (all[i].startsWith(name + '=')) return all[i].mid(name.size() + 1);
    }
    return {};
}

void PrintJson(const QJsonObject& object)
{
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

int CliFail(const QString& text)
{
    std::fprintf(stderr, "error: %s\n", text.toUtf8().constData());
    return 1;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) return usage();
    // A subcommand may have two words ("device state"); the longest registered match wins.
    QString name = args[0];
    int used = 1;
    if (args.size() > 1 && registry().count(args[0] + ' ' + args[1])) {
        name = args[0] + ' ' + args[1];
        used = 2;
    }
    auto it = registry().find(name);
    if (it == registry().end()) return usage();

    CliArgs cli;
    cli.all = args.mid(used);
    // Options that take a value are written "--name VALUE" or "--name=VALUE"; the value is not positional.
    for (int i = 0; i < cli.all.size(); ++i) {
        const QString& a = cli.all[i];
        if (a.startsWith("--")) {
            if (it->second.valued.contains(a) && i + 1 < cli.all.size()) ++i;
            continue;
        }
        cli.positional << a;
    }
    CliInteraction ui(cli.has("--yes"), cli.has("--no"));
    return it->second.handler(cli, ui);
}
