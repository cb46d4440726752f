#pragma once
// A fixed-size packed block with typed field access by offset; the order header builds on it.
#include "byte_fields.h"
#include "date_time.h"
#include "extended_real.h"

#include <QByteArray>
#include <array>
#include <cstring>

template <int N>
class TByteBlock {
public:
    static constexpr int kSize = N;

    TByteBlock() { b_.fill(0); }
    // Takes the first N bytes of data; a shorter input is padded with zeros.
    void Assign(const void* data, qsizetype size)
    {
        b_.fill(0);
        if (data && size > 0) std::memcpy(b_.data(), data, size_t(std::min<qsizetype>(size, N)));
    }
    void Assign(const QByteArray& data) { Assign(data.constData(), data.size()); }

    void Clear() { b_.fill(0); }
    const uint8_t* data() const { return b_.data(); }
    uint8_t* data() { return b_.data(); }
    QByteArray ToByteArray() const { return QByteArray(reinterpret_cast<const char*>(b_.data()), N); }
    bool operator==(const TByteBlock&) const = default;

    // Field access by offset (the offsets are the layout's; a field past the end is a programming error).
    uint8_t u8(int at) const { return b_[at]; }
    void setU8(int at, uint8_t v) { b_[at] = v; }
    uint16_t u16(int at) const { return blockio::U16(p(at, 2)); }
    void setU16(int at, uint16_t v) { blockio::PutU16(p(at, 2), v); }
    uint32_t u32(int at) const { return blockio::U32(p(at, 4)); }
    void setU32(int at, uint32_t v) { blockio::PutU32(p(at, 4), v); }
    int32_t i32(int at) const { return int32_t(u32(at)); }
    void setI32(int at, int32_t v) { setU32(at, uint32_t(v)); }
    double days(int at) const { return blockio::F64(p(at, 8)); }
    void setDays(int at, double v) { blockio::PutF64(p(at, 8), v); }
    QDateTime date(int at) const { return days(at) == 0 ? QDateTime() : DateTimeFromDays(days(at)); }
    void setDate(int at, const QDateTime& v) { setDays(at, DaysFromDateTime(v)); }
    long double real(int at) const { return ExtendedFromBytes(p(at, kExtendedSize)); }
    void setReal(int at, long double v) { ExtendedToBytes(v, p(at, kExtendedSize)); }
    QString shortString(int at, int maxChars) const { return blockio::ShortString(p(at, maxChars + 1), maxChars); }
    void setShortString(int at, int maxChars, const QString& v) { blockio::PutShortString(p(at, maxChars + 1), maxChars, v); }
    QString rawText(int at, int size) const { return blockio::RawText(p(at, size), size); }
    void setRawText(int at, int size, const QString& v) { blockio::PutRawText(p(at, size), size, v); }
    QByteArray bytes(int at, int size) const { return QByteArray(reinterpret_cast<const char*>(p(at, size)), size); }
    // The first min(value size, size) bytes of value, the rest of the field zero.
    void setBytes(int at, int size, const QByteArray& value)
    {
        uint8_t* q = p(at, size);
        std::memset(q, 0, size_t(size));
        std::memcpy(q, value.constData(), size_t(std::min<qsizetype>(value.size(), size)));
    }

private:
    const uint8_t* p(int at, [[maybe_unused]] int size) const
    {
        Q_ASSERT(at >= 0 && at + size <= N);
        return b_.data() + at;
    }
    uint8_t* p(int at, [[maybe_unused]] int size)
    {
        Q_ASSERT(at >= 0 && at + size <= N);
        return b_.data() + at;
    }
    std::array<uint8_t, N> b_;
};
