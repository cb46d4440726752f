#include "cli_registry.h"
#include "serial_number.h"

namespace {
// "serial TEXT|0xHEX": the value, its text and whether it carries valid check digits. Exit 0 only
// for a valid serial number.
int runSerial(const CliArgs& args, Interaction&)
{
    if (args.positional.size() != 1) return CliFail("usage: serial TEXT|0xHEX");
    const QString in = args.positional[0].trimmed();
    uint64_t value = 0;
    if (in.startsWith("0x", Qt::CaseInsensitive)) {
        bool ok = false;
        value = in.mid(2).toULongLong(&ok, 16);
        if (!ok || in.size() > 18) return CliFail("not a 64-bit hexadecimal value: " + in);
    } else {
        value = TextToSerial(in, false);
        if (value == 0 && in != SerialToText(0)) return CliFail("not a serial number text: " + in);
    }
    const bool valid = SerialIsValid(0, value);
    PrintJson({{"value", QStringLiteral("0x%1").arg(value, 16, 16, QChar('0')).toUpper().replace("0X", "0x")},
               {"text", SerialToText(value)},
               {"valid", valid}});
    return valid ? 0 : 1;
}
const CliCommand reg("serial", "serial TEXT|0xHEX", runSerial);
}  // namespace
