#include "flash_chip.h"

FlashChip FlashChipByCode(uint8_t code)
{
    switch (code) {
    case 0x2C: return {"AT45DB161B", true, 0x210000, 528};
    case 0x38: return {"AT45DB321B", true, 0x420000, 528};
    default: return {"Unknown", false, 0, 0};
    }
}

int FlashPages(uint8_t code)
{
    const FlashChip chip = FlashChipByCode(code);
    return chip.known ? int(chip.size / chip.pageSize) : 0;
}
