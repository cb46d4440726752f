#include "link_frame.h"

#include "link_codes.h"

namespace kemlink {

uint8_t FrameChecksum(uint8_t code, const uint8_t* data, int len)
{
    unsigned cs = unsigned(len & 0xFF) ^ 0u;
    cs += unsigned(code) ^ 1u;
    for (int k = 0; k < len; ++k) cs += unsigned(data[k]) ^ unsigned((k + 2) & 0xFF);
    return uint8_t(cs);
}

void AppendEscaped(QByteArray& out, uint8_t b)
{
    if (b == kFrameStart || b == kFrameEscape) {
        out.append(char(kFrameEscape));
        out.append(char(uint8_t(b + 0x10)));
    } else {
        out.append(char(b));
    }
}

QByteArray BuildFrame(uint8_t code, const uint8_t* payload, int len)
{
    if (len < 0 || len > kMaxSendPayload) return {};
    QByteArray out;
    out.reserve(4 + 2 * (len + 3));
    out.append(char(kFrameStart));
    AppendEscaped(out, uint8_t(len));
    AppendEscaped(out, code);
    for (int k = 0; k < len; ++k) AppendEscaped(out, payload[k]);
    AppendEscaped(out, FrameChecksum(code, payload, len));
    return out;
}

}  // namespace kemlink
