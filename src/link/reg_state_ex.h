#pragma once
// Carrier and clock state as filled from the last state fetch.
#include <QString>
#include <cstdint>

struct TKemProtoRegStateEx {
    uint64_t CarrierSerial = 0;      // register 0
    bool CarrierSerialValid = false; // register 0 passes the serial-number check
    uint8_t FlashType = 0;
    QString FlashName;
    bool FlashKnown = false;
    uint32_t FlashSize = 0;
    uint32_t PageSize = 0;
    double DeviceTime = 0;           // days since 1899-12-30; 0 when invalid
};
