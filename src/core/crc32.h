#pragma once
// The check value of order headers and protocol records: the reflected CRC-32 table (polynomial
// 0xEDB88320), continued from the caller's value and without the final inversion, so a run
// started from 0 differs from the common CRC-32.
#include <cstddef>
#include <cstdint>

uint32_t Crc32Update(uint32_t crc, const void* data, size_t length);
