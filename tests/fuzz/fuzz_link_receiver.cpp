// libFuzzer target: the link's receive state machine on arbitrary line noise, in chunks of any size.
// Byte 0 picks what the receiver waits for, byte 1 the chunk size; the rest is the line.
#include "link_receiver.h"

#include <cstdlib>

using namespace kemlink;

namespace {
struct Sink : StatusListener {
    void statusReceived(const TRecorderStatus& s) override
    {
        if (s.Mode < 1 || s.Mode > 4) std::abort();
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    static const Expect kinds[3] = {expData, expAck, expPage};
    Sink sink;
    TKemReceiver r(&sink);
    r.reset();
    r.expect(kinds[data[0] % 3]);
    const size_t chunk = 1 + data[1] % 64;
    for (size_t at = 2; at < size; at += chunk) {
        const size_t n = std::min(chunk, size - at);
        const bool ended = r.feed(data + at, n);
        if (r.pagePosition() < 0 || r.pagePosition() > kPacketsPerPage * kPacketData) std::abort();
        if (ended && r.state() != stComplete) std::abort();
        if (r.kind() == rkPageDone && r.pagePosition() != kPageSize) std::abort();
        if (r.state() == stComplete) {
            // The next transaction starts afresh, as Transact does before each send.
            r.reset();
            r.expect(kinds[(data[0] / 3) % 3]);
        }
    }
    return 0;
}
