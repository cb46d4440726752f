// The protocol file loader: arbitrary archives (first byte even) or arbitrary entry contents.
#include "interaction.h"
#include "protocol_file.h"
#include "zip_entry.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    SilentInteraction ui;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QByteArray entry = bytes;
    if ((data[0] & 1) == 0 && zipentry::ReadEntry(bytes, kpr::kEntryName, &entry) != zipentry::ReadResult::Ok)
        return 0;
    TOrderHeader header;
    TProtokolRecords records;
    if (ParseProtocolEntry(entry, &header, &records, ui)) {
        if (uint64_t(entry.size()) != kpr::kMinEntrySize + 12ull * records.size()) std::abort();
    }
    return 0;
}
