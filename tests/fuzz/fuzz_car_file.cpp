// The car file loader: arbitrary archives (first byte even) or arbitrary entry contents.
#include "car_file.h"
#include "interaction.h"
#include "zip_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    SilentInteraction ui;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QByteArray entry = bytes;
    if ((data[0] & 1) == 0 && zipentry::ReadEntry(bytes, kcr::kEntryName, &entry) != zipentry::ReadResult::Ok)
        return 0;
    TOrderHeader block;
    if (ParseCarEntry(entry, &block, ui)) (void)block.IsIntact();
    return 0;
}
