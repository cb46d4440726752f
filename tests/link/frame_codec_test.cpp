// The frame codec and the receive state machine, without a port.
#include "link_frame.h"
#include "link_receiver.h"

#include <gtest/gtest.h>
#include <vector>

using namespace kemlink;

namespace {
QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

struct Recorder : StatusListener {
    std::vector<TRecorderStatus> seen;
    void statusReceived(const TRecorderStatus& s) override { seen.push_back(s); }
};

// A reply frame as the recorder sends it (escaped, with its checksum).
QByteArray ReplyFrame(uint8_t code, std::vector<uint8_t> data)
{
    QByteArray out("\xFE", 1);
    AppendEscaped(out, uint8_t(data.size()));
    AppendEscaped(out, code);
    for (uint8_t b : data) AppendEscaped(out, b);
    AppendEscaped(out, FrameChecksum(code, data.data(), int(data.size())));
    return out;
}

bool Feed(TKemReceiver& r, const QByteArray& bytes)
{
    return r.feed(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
}
}  // namespace

TEST(FrameCodec, BuildsTheKnownFramesByteForByte)
{
    struct Case {
        uint8_t code;
        std::vector<uint8_t> payload;
        const char* wire;
    } cases[] = {
        {cmdPing, {}, "FE 00 00 01"},
        {cmdReadRegister, {3, 0, 0, 0}, "FE 04 02 03 00 00 00 14"},
        {cmdReadClock, {}, "FE 00 0B 0A"},
        {cmdReadPage, {0x80, 0x00}, "FE 02 09 80 00 8F"},
        // A payload byte FE goes out as FC 0E and counts as FE in the checksum: 1 + (9^1) + (FE^2) = 0x105.
        {cmdReadPage, {0xFE}, "FE 01 09 FC 0E 05"},
        // A checksum of FC is escaped too: 1 + 8 + (0xF1^2) = 0xFC.
        {cmdReadPage, {0xF1}, "FE 01 09 F1 FC 0C"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildFrame(c.code, c.payload.data(), int(c.payload.size())).toHex(' ').toUpper(),
                  Hex(c.wire).toHex(' ').toUpper());
}

TEST(FrameCodec, RefusesPayloadsAbove31Bytes)
{
    std::vector<uint8_t> payload(32, 0);
    EXPECT_TRUE(BuildFrame(cmdWriteRegister, payload.data(), 32).isEmpty());
    EXPECT_FALSE(BuildFrame(cmdWriteRegister, payload.data(), 31).isEmpty());
}

TEST(FrameCodec, ChecksumPositionsWrapAt256)
{
    std::vector<uint8_t> data(300, 0);
    // Every zero byte adds its position (k + 2) mod 256: the sum over 0 ... 299 of ((k + 2) & 0xFF).
    unsigned expected = 300 ^ 0;
    expected += 0x23 ^ 1;
    for (int k = 0; k < 300; ++k) expected += (k + 2) & 0xFF;
    EXPECT_EQ(FrameChecksum(0x23, data.data(), 300), uint8_t(expected));
}

TEST(Receiver, EscapeWithBit7ContinuesToTheNextByte)
{
    // FC 8E 0C: 0x8E unescapes to FE and, having bit 7, makes 0C unescape too (to FC).
    Recorder statuses;
    TKemReceiver r(&statuses);
    r.reset();
    r.expect(expData);
    const uint8_t data[2] = {0xFE, 0xFC};
    const uint8_t cs = FrameChecksum(rpRegister, data, 2);
    QByteArray wire = Hex("FE 02 23 FC 8E 0C");
    wire.append(char(cs));
    ASSERT_TRUE(Feed(r, wire));
    EXPECT_EQ(r.kind(), rkOther);
    ASSERT_EQ(r.replyLen(), 2);
    EXPECT_EQ(r.replyData()[0], 0xFE);
    EXPECT_EQ(r.replyData()[1], 0xFC);
}

TEST(Receiver, DropsInvalidFramesAndKeepsWaiting)
{
    const QByteArray good = ReplyFrame(rpRegister, {1, 2, 3, 4, 5, 6, 7, 8});
    QByteArray badChecksum = good;
    badChecksum[badChecksum.size() - 1] = char(badChecksum.back() ^ 0x55);
    struct Case {
        const char* name;
        QByteArray junk;
    } cases[] = {
        {"bad checksum", badChecksum},
        {"LEN of 64", Hex("FE 40 23") + QByteArray(66, '\x01')},
        {"reply code below 0x20", ReplyFrame(0x1F, {1})},
        {"reply code above 0x3F", ReplyFrame(0x40, {1})},
        {"bytes outside a frame", Hex("01 02 20 23 FC 00")},
        {"frame cut short by a new start", Hex("FE 08 23 01 02")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TKemReceiver r;
        r.reset();
        r.expect(expData);
        EXPECT_FALSE(Feed(r, c.junk));
        EXPECT_EQ(r.state(), expData);
        ASSERT_TRUE(Feed(r, good));
        EXPECT_EQ(r.kind(), rkOther);
        EXPECT_EQ(r.replyData()[7], 8);
    }
}

TEST(Receiver, DiscardsEverythingWhileNothingIsAwaited)
{
    TKemReceiver r;
    r.reset();
    EXPECT_FALSE(Feed(r, ReplyFrame(rpAck, {0, 4, 0})));
    EXPECT_EQ(r.kind(), rkNone);
    EXPECT_EQ(r.state(), stIdle);
}

namespace {
QByteArray Packet(int index)
{
    std::vector<uint8_t> d(25, uint8_t(index));
    d[0] = uint8_t(index);
    return ReplyFrame(rpPageData, d);
}
}  // namespace

TEST(Receiver, PageNeeds22PacketsInOrderThenAck)
{
    TKemReceiver r;
    r.reset();
    r.expect(expPage);
    QByteArray all;
    for (int i = 0; i < 22; ++i) all += Packet(i);
    EXPECT_FALSE(Feed(r, all));
    ASSERT_TRUE(Feed(r, ReplyFrame(rpAck, {0, 0, 0})));
    EXPECT_EQ(r.kind(), rkPageDone);
    EXPECT_EQ(r.pagePosition(), 528);
    EXPECT_EQ(r.page()[527], 21);
}

TEST(Receiver, PageProtocolErrorsFailAtOnce)
{
    auto packets = [](std::initializer_list<int> idx) {
        QByteArray b;
        for (int i : idx) b += Packet(i);
        return b;
    };
    QByteArray all22 = packets({});
    for (int i = 0; i < 22; ++i) all22 += Packet(i);
    struct Case {
        const char* name;
        Expect state;
        QByteArray bytes;
    } cases[] = {
        {"packets 0, 1, 3", expPage, packets({0, 1, 3})},
        {"a 23rd packet", expPage, all22 + Packet(22)},
        {"ack after 21 packets", expPage, packets({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}) + ReplyFrame(rpAck, {0, 0, 0})},
        {"nak after 22 packets", expPage, all22 + ReplyFrame(rpNak, {0, 0, 0})},
        {"a packet when none is expected", expData, Packet(0)},
        {"nak where an ack is expected", expAck, ReplyFrame(rpNak, {0, 0, 0})},
        {"data reply where an ack is expected", expAck, ReplyFrame(rpRegister, {0, 0, 0, 0, 0, 0, 0, 0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TKemReceiver r;
        r.reset();
        r.expect(c.state);
        EXPECT_TRUE(Feed(r, c.bytes));
        EXPECT_EQ(r.kind(), rkFailed);
        EXPECT_EQ(r.state(), stComplete);
    }
}

TEST(Receiver, EveryAckAndNakUpdatesTheStatus)
{
    Recorder statuses;
    TKemReceiver r(&statuses);
    r.reset();
    r.expect(expAck);
    EXPECT_TRUE(Feed(r, ReplyFrame(rpNak, {7, 0x12, 0})));
    EXPECT_EQ(r.kind(), rkFailed);
    ASSERT_EQ(statuses.seen.size(), 1u);
    EXPECT_EQ(statuses.seen[0].Value, 7);
    EXPECT_EQ(statuses.seen[0].Mode, 2);
    EXPECT_EQ(statuses.seen[0].CalibrationCarrier, 0xFF);
    EXPECT_EQ(statuses.seen[0].CarrierOverflow, 0xFF);
}

TEST(RecorderStatusDecode, ModePrecedence)
{
    struct Case {
        uint8_t flags, ext;
        int mode;
    } cases[] = {
        {0x0C, 0x01, 1}, {0x08, 0x00, 1}, {0x04, 0x01, 4}, {0x04, 0x00, 4},
        {0x00, 0x01, 3}, {0x00, 0x00, 2}, {0x13, 0x00, 2}, {0x00, 0xFE, 2},
    };
    for (const Case& c : cases) {
        const TRecorderStatus s = DecodeRecorderStatus(0x5A, c.flags, c.ext);
        EXPECT_EQ(s.Mode, c.mode) << int(c.flags) << ' ' << int(c.ext);
        const int set = (s.Mode1 != 0) + (s.Mode2 != 0) + (s.Mode3 != 0) + (s.Mode4 != 0);
        EXPECT_EQ(set, 1);
        EXPECT_EQ(s.Flags, c.flags);
        EXPECT_EQ(s.Value, 0x5A);
        EXPECT_EQ(s.Flag0, (c.flags & 1) ? 0xFF : 0);
        EXPECT_EQ(s.Spare, 0);
    }
}
