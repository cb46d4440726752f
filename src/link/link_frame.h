#pragma once
// Frames of the recorder link: FE, LEN, CODE, DATA, CS. Every byte after the start byte that is
// FE or FC goes out as FC, b + 0x10; the checksum covers the unescaped values.
#include <QByteArray>
#include <cstdint>

namespace kemlink {

// CS = (LEN ^ 0) + (CODE ^ 1) + sum of DATA[k] ^ (k + 2), modulo 256 (positions wrap at 256).
uint8_t FrameChecksum(uint8_t code, const uint8_t* data, int len);

// Appends b to out, escaped when it is FE or FC.
void AppendEscaped(QByteArray& out, uint8_t b);

// The escaped frame of a command; empty when the payload is longer than 31 bytes (nothing is sent).
QByteArray BuildFrame(uint8_t code, const uint8_t* payload = nullptr, int len = 0);

}  // namespace kemlink
