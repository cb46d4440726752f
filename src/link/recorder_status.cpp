#include "recorder_status.h"

TRecorderStatus DecodeRecorderStatus(uint8_t value, uint8_t flags, uint8_t extFlags)
{
    using namespace statusbits;
    TRecorderStatus s;
    s.Flags = flags;
    s.Value = value;
    s.Flag0 = (flags & Flag0) ? 0xFF : 0;
    s.CalibrationCarrier = (flags & Calibration) ? 0xFF : 0;
    s.CarrierOverflow = (flags & Overflow) ? 0xFF : 0;
    if (flags & Mode1) {
        s.Mode1 = 0xFF;
        s.Mode = 1;
    } else if (flags & Empty) {
        s.Mode4 = 0xFF;
        s.Mode = 4;
    } else if (extFlags & ExtMode3) {
        s.Mode3 = 0xFF;
        s.Mode = 3;
    } else {
        s.Mode2 = 0xFF;
        s.Mode = 2;
    }
    return s;
}
