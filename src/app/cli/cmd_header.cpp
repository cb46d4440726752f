#include "car_file.h"
#include "cli_registry.h"
#include "header_json.h"
#include "interaction.h"
#include "kdd_file.h"
#include "protocol_file.h"
#include "zip_entry.h"

#include <QFile>
#include <QJsonDocument>

namespace {

QJsonObject protocolHead(const QByteArray& entry)
{
    TProtocolHead head;
    if (!ReadProtocolHead(entry, &head)) return {};
    return {{"signature", head.signature},  {"version", qint64(head.version)}, {"count", qint64(head.count)},
            {"recordCrc", HexOf(head.recordCrc)}, {"kind", qint64(head.kind)}};
}

// The header of a ZIP file: the protocol entry "KPR" or else the car entry "KCR".
bool fromArchive(const QByteArray& bytes, Interaction& ui, TOrderHeader* h, QJsonObject* out)
{
    QByteArray entry;
    auto r = zipentry::ReadEntry(bytes, kpr::kEntryName, &entry);
    if (r == zipentry::ReadResult::Ok) {
        (*out)["source"] = "protocol";
        (*out)["protocol"] = protocolHead(entry);
        return ParseProtocolEntry(entry, h, nullptr, ui);
    }
    if (r == zipentry::ReadResult::NoEntry) r = zipentry::ReadEntry(bytes, kcr::kEntryName, &entry);
    if (r == zipentry::ReadResult::Ok) {
        (*out)["source"] = "car";
        return ParseCarEntry(entry, h, ui);
    }
    ui.error(r == zipentry::ReadResult::TooLarge ? "archive entry larger than 64 MiB"
                                                 : "archive holds neither a KPR nor a KCR entry");
    return false;
}

// "header FILE": a raw 8448-byte block, or the header kept in a .kdd, .kpr, .kpg or .kcr file.
int runHeader(const CliArgs& args, Interaction& ui)
{
    if (args.positional.size() != 1) return CliFail("usage: header FILE");
    QFile file(args.positional[0]);
    if (!file.open(QIODevice::ReadOnly)) return CliFail("cannot open " + file.fileName());
    if (file.size() > kdd::kMaxFileSize) return CliFail("file too large: " + file.fileName());
    const QByteArray bytes = file.readAll();

    QJsonObject out{{"file", file.fileName()}};
    TOrderHeader h;
    bool ok = false;
    if (bytes.startsWith("PK")) {
        ok = fromArchive(bytes, ui, &h, &out);
    } else if (bytes.startsWith(".KDD")) {
        TKDDFile kdd;
        ok = kdd.LoadImage(bytes);
        if (ok) h = kdd.Header();
        out["source"] = "data";
    } else if (bytes.size() == hdr::kSize) {
        h = TOrderHeader::FromBytes(bytes);
        ok = true;
        out["source"] = "raw";
    } else {
        return CliFail("not an order header, data, protocol or car file: " + file.fileName());
    }
    if (!ok) return CliFail("cannot read the header of " + file.fileName());
    out["intact"] = h.IsIntact();
    out["header"] = HeaderToJson(h);
    PrintJson(out);
    return 0;
}
const CliCommand reg("header", "header FILE   (raw 8448-byte block, .kdd, .kpr, .kpg or .kcr)", runHeader);
}  // namespace
