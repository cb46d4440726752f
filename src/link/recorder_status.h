#pragma once
// The recorder's status record as decoded from the status bytes of rpAck / rpNak.
#include <cstdint>

struct TRecorderStatus {
    uint8_t Flags = 0;               // status flags byte as received
    uint8_t Mode = 0;                // carrier mode 1 ... 4; 0 = no status received yet
    uint8_t Mode3 = 0;
    uint8_t Mode2 = 0;               // the carrier holds recorded data
    uint8_t Mode4 = 0;               // the carrier is empty
    uint8_t Mode1 = 0;
    uint8_t Flag0 = 0;
    uint8_t CalibrationCarrier = 0;  // the carrier holds a calibration run
    uint8_t CarrierOverflow = 0;     // the carrier filled up and recording stopped early
    uint8_t Value = 0;
    uint8_t Spare = 0;
};
static_assert(sizeof(TRecorderStatus) == 11);

// Status flag bits.
namespace statusbits {
constexpr uint8_t Flag0 = 0x01;
constexpr uint8_t Calibration = 0x02;
constexpr uint8_t Empty = 0x04;       // mode 4 unless bit 3 is set
constexpr uint8_t Mode1 = 0x08;
constexpr uint8_t Overflow = 0x10;
constexpr uint8_t ExtMode3 = 0x01;    // in the extended flags byte
}  // namespace statusbits

// Mode precedence: flags bit 3 gives mode 1, else bit 2 mode 4, else extended bit 0 mode 3, else mode 2.
TRecorderStatus DecodeRecorderStatus(uint8_t value, uint8_t flags, uint8_t extFlags);
