#pragma once
// The byte-by-byte receive state machine of the link. It runs on the port's reading thread under
// the link's receive lock; it allocates nothing and knows no threads. feed() tells when the
// transaction in flight has ended (completed or failed).
#include "link_codes.h"
#include "recorder_status.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kemlink {

// Receives every status carried by rpAck / rpNak, while the receive lock is held.
struct StatusListener {
    virtual ~StatusListener() = default;
    virtual void statusReceived(const TRecorderStatus& status) = 0;
};

class TKemReceiver {
public:
    static constexpr int kFrameBuffer = 514;
    static constexpr int kPageBuffer = 1056;

    explicit TKemReceiver(StatusListener* listener = nullptr) : listener_(listener) {}

    // Packet limit 22, packet count 0, page position 0, state idle, reply kind none, out of frame.
    void reset();
    void expect(Expect state) { state_ = state; }

    // Processes a chunk of received bytes; true when the transaction ended in this chunk.
    bool feed(const uint8_t* data, size_t n);

    Expect state() const { return state_; }
    ReplyKind kind() const { return kind_; }
    // After evaluating the reply, a command ends its transaction.
    void finish()
    {
        if (state_ == stComplete) {
            state_ = stIdle;
            kind_ = rkNone;
        }
    }
    // The port went away while a reply was awaited.
    bool failPending();

    uint8_t replyCode() const { return replyCode_; }
    int replyLen() const { return replyLen_; }
    const uint8_t* replyData() const { return reply_.data(); }
    const uint8_t* page() const { return page_.data(); }
    int pagePosition() const { return pagePos_; }

private:
    bool awaiting() const { return state_ == expData || state_ == expAck || state_ == expPage; }
    bool acceptByte(uint8_t b);
    bool evaluate();
    bool complete();
    bool fail();

    StatusListener* listener_;
    Expect state_ = stIdle;
    ReplyKind kind_ = rkNone;
    bool inFrame_ = false;
    bool expectLen_ = false;
    bool escape_ = false;
    int len_ = 0;
    int count_ = 0;
    uint8_t checksum_ = 0;
    std::array<uint8_t, kFrameBuffer> frame_{};
    uint8_t replyCode_ = 0;
    int replyLen_ = 0;
    std::array<uint8_t, kFrameBuffer> reply_{};
    std::array<uint8_t, kPageBuffer> page_{};
    int pagePos_ = 0;
    int packets_ = 0;
    int packetLimit_ = kPacketsPerPage;
};

}  // namespace kemlink
