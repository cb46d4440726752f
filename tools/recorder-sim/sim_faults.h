#pragma once
// Faults the simulated recorder can be told to make; each counter is used up one reply at a time.
#include <cstdint>

struct SimFaults {
    int dropReplies = 0;        // replies not sent at all
    int lateReplies = 0;        // replies sent lateMs late
    int lateMs = 0;
    int corruptReplies = 0;     // replies whose last frame carries a wrong checksum
    int badThenGood = 0;        // replies preceded by a copy with a wrong checksum
    int nakCommands = 0;        // commands refused with rpNak
    int garbageReplies = 0;     // replies with garbage bytes before and between their frames
    int skipPacketReads = 0;    // page reads that leave out packet skipPacketIndex
    int skipPacketIndex = 0;
    int shortRegisters = 0;     // register replies with 7 data bytes
    int unplugAfterPages = -1;  // pulls the plug after this many more page reads (-1: never)
    bool silent = false;        // answers nothing, as if the cable were out
    int clearDelayMs = 0;       // how long erasing the carrier takes before the acknowledgement
};

// What the recorder has seen; tests and people look at it with "stats".
struct SimStats {
    uint64_t commands[16] = {};
    uint64_t badFrames = 0;
    uint64_t bytesIn = 0;
    uint64_t bytesOut = 0;
    int hostBaud = 0;
};
