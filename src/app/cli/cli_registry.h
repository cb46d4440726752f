#pragma once
// Subcommands of kemsys-cli. Each cli/*.cpp registers its own with a static CliCommand, so a new
// subcommand is a new file. Handlers print JSON on stdout and return the exit code (0 = success).
#include <QJsonObject>
#include <QStringList>

class Interaction;

struct CliArgs {
    QStringList positional;   // arguments that are not options, after the subcommand name(s)
    QStringList all;          // every argument after the program name

    bool has(const QString& flag) const { return all.contains(flag); }
    // Value of "--name VALUE" or "--name=VALUE"; empty when absent.
    QString option(const QString& name) const;
};

using CliHandler = int (*)(const CliArgs& args, Interaction& ui);

struct CliCommand {
    // valuedOptions: the options of this command that take a value ("--port", "--out"), so that
    // "--port /dev/pts/3" is not taken for a positional argument.
    CliCommand(const char* name, const char* usage, CliHandler handler, QStringList valuedOptions = {});
};

// Writes the object as indented JSON to stdout.
void PrintJson(const QJsonObject& object);
// Writes "error: TEXT" to stderr and returns 1.
int CliFail(const QString& text);
