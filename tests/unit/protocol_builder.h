#pragma once
// Builds protocol records for decoder tests.
#include "protokol_record.h"

#include <initializer_list>
#include <utility>

inline uint8_t toBcd(int v) { return uint8_t((v / 10) << 4 | (v % 10)); }

// A record with 16-bit words at the given byte positions.
inline TProtokolRecord Rec(uint8_t seq, uint8_t type, std::initializer_list<std::pair<int, int>> words = {})
{
    TProtokolRecord r;
    r.b[0] = seq;
    r.b[1] = type;
    for (auto [pos, value] : words) {
        r.b[pos] = uint8_t(value & 0xFF);
        r.b[pos + 1] = uint8_t((value >> 8) & 0xFF);
    }
    return r;
}

// A 24-hour clock record.
inline TProtokolRecord ClockRec(int h, int m, int s, int day = 11, int month = 12, int year = 2026)
{
    TProtokolRecord r;
    r.b[1] = 0;
    r.b[3] = toBcd(s);
    r.b[4] = toBcd(m);
    r.b[5] = toBcd(h);
    r.b[7] = toBcd(day);
    r.b[8] = toBcd(month);
    r.b[9] = toBcd(year - 2000);
    return r;
}

// Measurement part 1 (board voltage code, tank channel code S and reference word).
inline TProtokolRecord Part1(uint8_t seq, int board, int tankCode, int refCode = 30000)
{
    return Rec(seq, 10, {{5, tankCode}, {7, refCode}, {9, board}});
}
inline TProtokolRecord Part2(uint8_t seq, int tankCode = 0, int tempCode = 0, int refCode = 30000)
{
    return Rec(seq, 12, {{5, tankCode}, {7, refCode}, {9, tempCode}});
}
inline TProtokolRecord Part3(uint8_t seq, int speedPulses = 0, int tachPulses = 0)
{
    return Rec(seq, 14, {{3, tachPulses}, {5, speedPulses}});
}
