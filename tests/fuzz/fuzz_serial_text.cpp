// Serial texts and values: any text converts without harm, every accepted value round-trips.
#include "serial_number.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const uint64_t v = TextToSerial(text, true);
    if (v != 0 && (!SerialIsValid(0, v) || TextToSerial(SerialToText(v), true) != v)) std::abort();
    if (size >= 8) {
        uint64_t raw;
        std::memcpy(&raw, data, 8);
        if (TextToSerial(SerialToText(raw), false) != raw) std::abort();
        if (!SerialIsValid(0, SerialFromBody(raw))) std::abort();
    }
    return 0;
}
