#pragma once
// Command and reply codes of the recorder link, and the fixed sizes of its carrier pages.
#include <cstdint>

namespace kemlink {

enum Command : uint8_t {
    cmdPing = 0x00,
    cmdWriteRegister = 0x01,
    cmdReadRegister = 0x02,
    cmdClearCarrier = 0x04,
    cmdSetMode = 0x05,
    cmdFlashType = 0x06,
    cmdWritePageStart = 0x07,
    cmdWritePageData = 0x08,
    cmdReadPage = 0x09,
    cmdReadClock = 0x0B,
    cmdSetClock = 0x0C,
};

enum Reply : uint8_t {
    rpAck = 0x20,
    rpNak = 0x21,
    rpFlashType = 0x22,
    rpRegister = 0x23,
    rpClock = 0x25,
    rpPageData = 0x26,
};

// What the receiver waits for (the transaction state).
enum Expect : uint8_t { stIdle = 0, stComplete = 1, expData = 2, expAck = 3, expPage = 4 };

// How the last transaction ended.
enum ReplyKind : uint8_t { rkNone = 0, rkAck = 1, rkNak = 2, rkOther = 3, rkPageDone = 4, rkFailed = 5 };

constexpr uint8_t kFrameStart = 0xFE;
constexpr uint8_t kFrameEscape = 0xFC;
constexpr int kMaxSendPayload = 31;
constexpr int kMaxReceiveLen = 63;      // a received LEN of 64 or more is invalid
constexpr int kPageSize = 528;
constexpr int kPacketsPerPage = 22;
constexpr int kPacketData = 24;         // page bytes in one rpPageData packet
constexpr int kWriteChunk = 12;         // page bytes in one cmdWritePageData
constexpr int kWriteChunks = 44;
constexpr int kMaxPages = 8192;
constexpr int kRegisterCount = 11;

}  // namespace kemlink
