#pragma once
// The flash chips a carrier may hold, by the code of the flash type reply.
#include <QString>
#include <cstdint>

struct FlashChip {
    QString name;        // "AT45DB161B", "AT45DB321B" or "Unknown"
    bool known = false;
    uint32_t size = 0;   // carrier size in bytes
    uint32_t pageSize = 0;
};

FlashChip FlashChipByCode(uint8_t code);
// Number of 528-byte pages of a known chip, 0 otherwise.
int FlashPages(uint8_t code);
