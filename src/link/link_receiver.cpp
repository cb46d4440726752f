#include "link_receiver.h"

#include <cstring>

namespace kemlink {

void TKemReceiver::reset()
{
    packetLimit_ = kPacketsPerPage;
    packets_ = 0;
    pagePos_ = 0;
    state_ = stIdle;
    kind_ = rkNone;
    inFrame_ = false;
    expectLen_ = false;
    escape_ = false;
}

bool TKemReceiver::feed(const uint8_t* data, size_t n)
{
    bool ended = false;
    for (size_t i = 0; i < n; ++i) ended = acceptByte(data[i]) || ended;
    return ended;
}

bool TKemReceiver::acceptByte(uint8_t b)
{
    if (!awaiting()) return false;  // nothing awaited: the byte is discarded
    if (b == kFrameStart) {
        escape_ = false;
        inFrame_ = true;
        expectLen_ = true;
        return false;
    }
    if (!inFrame_) return false;
    if (escape_) {
        // An escaped byte with bit 7 set keeps the escape going for the byte after it.
        if (!(b & 0x80)) escape_ = false;
        b = uint8_t((b & 0x7F) - 16);
    } else if (b == kFrameEscape) {
        escape_ = true;
        return false;
    }
    if (expectLen_) {
        expectLen_ = false;
        count_ = 0;
        if (b > kMaxReceiveLen) {
            inFrame_ = false;
            return false;
        }
        len_ = b;
        checksum_ = b;
        return false;
    }
    frame_[size_t(count_)] = b;
    ++count_;
    if (count_ < len_ + 2) {
        checksum_ = uint8_t(checksum_ + (b ^ uint8_t(count_)));
        return false;
    }
    inFrame_ = false;
    if (b != checksum_) return false;  // dropped; the transaction keeps waiting
    return evaluate();
}

bool TKemReceiver::evaluate()
{
    const uint8_t code = frame_[0];
    const uint8_t* data = frame_.data() + 1;
    if (code < 0x20 || code > 0x3F) return false;
    if (code == rpPageData) {
        if (state_ != expPage) return fail();
        // A packet carries its index and 24 page bytes; a shorter one is a protocol error.
        if (len_ < 1 + kPacketData || data[0] != packets_ || packets_ >= packetLimit_) return fail();
        std::memcpy(page_.data() + pagePos_, data + 1, kPacketData);
        pagePos_ += kPacketData;
        ++packets_;
        return false;
    }
    kind_ = code == rpAck ? rkAck : code == rpNak ? rkNak : rkOther;
    if (kind_ != rkOther && listener_) {
        // Missing status bytes of a short reply count as 0.
        const uint8_t value = len_ > 0 ? data[0] : 0;
        const uint8_t flags = len_ > 1 ? data[1] : 0;
        const uint8_t ext = len_ > 2 ? data[2] : 0;
        listener_->statusReceived(DecodeRecorderStatus(value, flags, ext));
    }
    if (state_ == expPage) {
        if (kind_ != rkAck || packets_ != kPacketsPerPage) return fail();
        kind_ = rkPageDone;
        packets_ = 0;
        return complete();
    }
    if (state_ == expAck && kind_ != rkAck) return fail();
    return complete();
}

bool TKemReceiver::complete()
{
    replyCode_ = frame_[0];
    replyLen_ = len_;
    std::memcpy(reply_.data(), frame_.data() + 1, size_t(len_));
    state_ = stComplete;
    return true;
}

bool TKemReceiver::fail()
{
    inFrame_ = false;
    if (state_ == expPage) {
        packets_ = 0;
        pagePos_ = 0;
    }
    state_ = stComplete;
    kind_ = rkFailed;
    return true;
}

bool TKemReceiver::failPending()
{
    if (!awaiting()) return false;
    return fail();
}

}  // namespace kemlink
