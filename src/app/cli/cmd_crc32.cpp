#include "cli_registry.h"
#include "crc32.h"
#include "header_json.h"

#include <QFile>

namespace {
// "crc32 FILE": the check value the program uses (started from 0, no final inversion).
int runCrc32(const CliArgs& args, Interaction&)
{
    if (args.positional.size() != 1) return CliFail("usage: crc32 FILE");
    QFile file(args.positional[0]);
    if (!file.open(QIODevice::ReadOnly)) return CliFail("cannot open " + file.fileName());
    uint32_t crc = 0;
    qint64 size = 0;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(1 << 20);
        if (chunk.isEmpty()) return CliFail("cannot read " + file.fileName());
        crc = Crc32Update(crc, chunk.constData(), size_t(chunk.size()));
        size += chunk.size();
    }
    PrintJson({{"file", file.fileName()}, {"size", size}, {"crc32", HexOf(crc)}, {"value", qint64(crc)}});
    return 0;
}
const CliCommand reg("crc32", "crc32 FILE", runCrc32);
}  // namespace
