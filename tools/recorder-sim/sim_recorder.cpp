#include "sim_recorder.h"

#include "link_codes.h"
#include "link_frame.h"
#include "recorder_clock.h"

#include <cstring>
#include <vector>

using namespace kemlink;

void SimRecorder::feed(const uint8_t* data, size_t n, SimOutput& out)
{
    stats_.bytesIn += n;
    for (size_t i = 0; i < n; ++i) accept(data[i], out);
}

// The office escapes FE and FC as FC, b + 0x10.
void SimRecorder::accept(uint8_t b, SimOutput& out)
{
    if (b == kFrameStart) {
        inFrame_ = true;
        haveLen_ = false;
        escape_ = false;
        count_ = 0;
        return;
    }
    if (!inFrame_) return;
    if (escape_) {
        escape_ = false;
        b = uint8_t(b - 0x10);
    } else if (b == kFrameEscape) {
        escape_ = true;
        return;
    }
    if (!haveLen_) {
        if (b > kMaxSendPayload) {
            inFrame_ = false;
            ++stats_.badFrames;
            return;
        }
        len_ = b;
        haveLen_ = true;
        return;
    }
    buffer_[count_++] = b;
    if (count_ < len_ + 2) return;
    inFrame_ = false;
    const uint8_t code = buffer_[0];
    if (FrameChecksum(code, buffer_ + 1, len_) != buffer_[len_ + 1]) {
        ++stats_.badFrames;
        return;
    }
    stats_.commands[code & 0x0F]++;
    if (!faults_.silent) handle(code, buffer_ + 1, len_, out);
}

QByteArray SimRecorder::frame(uint8_t code, const uint8_t* data, int len, int csDelta) const
{
    QByteArray out;
    out.append(char(kFrameStart));
    AppendEscaped(out, uint8_t(len));
    AppendEscaped(out, code);
    for (int k = 0; k < len; ++k) AppendEscaped(out, data[k]);
    AppendEscaped(out, uint8_t(FrameChecksum(code, data, len) + csDelta));
    return out;
}

QByteArray SimRecorder::status(uint8_t code) const
{
    const uint8_t s[3] = {carrier_.value(), carrier_.flags(), carrier_.extFlags()};
    return frame(code, s, 3);
}

QByteArray SimRecorder::garbage()
{
    QByteArray g;
    const int n = 2 + int(random_() % 6);
    for (int i = 0; i < n; ++i) g.append(char(random_() & 0xFF));
    return g;
}

void SimRecorder::handle(uint8_t code, const uint8_t* data, int len, SimOutput& out)
{
    if (faults_.nakCommands > 0 && code != cmdReadPage) {
        --faults_.nakCommands;
        QByteArray f = status(rpNak);
        reply(&f, 1, out);
        return;
    }
    QByteArray r;
    bool ok = true;
    switch (code) {
    case cmdPing: break;
    case cmdWriteRegister:
        ok = len >= 9 && data[0] < 11;
        if (ok) {
            uint64_t v = 0;
            for (int i = 7; i >= 0; --i) v = (v << 8) | data[1 + i];
            carrier_.setReg(data[0], v);
        }
        break;
    case cmdReadRegister:
        if (len >= 1 && data[0] < 11) {
            uint8_t v[8];
            for (int i = 0; i < 8; ++i) v[i] = uint8_t(carrier_.reg(data[0]) >> (8 * i));
            const bool shortened = faults_.shortRegisters > 0;
            if (shortened) --faults_.shortRegisters;
            r = frame(rpRegister, v, shortened ? 7 : 8);
            reply(&r, 1, out);
            return;
        }
        ok = false;
        break;
    case cmdClearCarrier:
        carrier_.clear();
        r = status(rpAck);
        out.send(QByteArray(), faults_.clearDelayMs);
        reply(&r, 1, out);
        return;
    case cmdSetMode:
        ok = len >= 1;
        if (ok) carrier_.startRecording(data[0] & 1);
        break;
    case cmdFlashType: {
        const uint8_t f[4] = {carrier_.flashType(), 0, 0, 0};
        r = frame(rpFlashType, f, 4);
        reply(&r, 1, out);
        return;
    }
    case cmdWritePageStart:
        writePage_ = len >= 2 ? data[0] | (data[1] << 8) : -1;
        ok = writePage_ >= 0 && writePage_ < carrier_.pageCount();
        break;
    case cmdWritePageData:
        ok = len >= 13 && writePage_ >= 0 && writePage_ < carrier_.pageCount() && data[12] < kWriteChunks;
        if (ok) carrier_.writeBytes(size_t(writePage_) * kPageSize + data[12] * kWriteChunk, data, kWriteChunk);
        break;
    case cmdReadPage:
        if (readPage(data, len, out)) return;
        ok = false;
        break;
    case cmdReadClock: {
        const auto c = EncodeClockReply(carrier_.clockNow());
        r = frame(rpClock, c.data(), 8);
        reply(&r, 1, out);
        return;
    }
    case cmdSetClock: {
        const int sec = FromBcd(data[2]), min = FromBcd(data[3]), hour = FromBcd(data[4]);
        const int day = FromBcd(data[6]), month = FromBcd(data[7] & 0x7F), yy = FromBcd(data[8]);
        const QDate date(((data[7] & 0x80) ? 2000 : 1900) + yy, month, day);
        const QTime time(hour, min, sec);
        ok = len >= 9 && yy >= 0 && date.isValid() && time.isValid();
        if (ok) carrier_.setClock(QDateTime(date, time));
        break;
    }
    default: ok = false;
    }
    r = status(ok ? rpAck : rpNak);
    reply(&r, 1, out);
}

bool SimRecorder::readPage(const uint8_t* data, int len, SimOutput& out)
{
    const int page = len >= 2 ? data[0] | (data[1] << 8) : -1;
    if (page < 0 || page >= carrier_.pageCount()) return false;
    std::vector<QByteArray> frames;
    const bool skip = faults_.skipPacketReads > 0;
    if (skip) --faults_.skipPacketReads;
    for (int i = 0; i < kPacketsPerPage; ++i) {
        if (skip && i == faults_.skipPacketIndex) continue;
        uint8_t packet[1 + kPacketData];
        packet[0] = uint8_t(i);
        std::memcpy(packet + 1, carrier_.page(page) + i * kPacketData, kPacketData);
        frames.push_back(frame(rpPageData, packet, sizeof packet));
    }
    frames.push_back(status(rpAck));
    reply(frames.data(), int(frames.size()), out);
    if (faults_.unplugAfterPages > 0 && --faults_.unplugAfterPages == 0) {
        faults_.unplugAfterPages = -1;
        out.unplug();
    }
    return true;
}

void SimRecorder::reply(QByteArray* frames, int count, SimOutput& out)
{
    if (faults_.dropReplies > 0) {
        --faults_.dropReplies;
        return;
    }
    int delay = 0;
    if (faults_.lateReplies > 0) {
        --faults_.lateReplies;
        delay = faults_.lateMs;
    }
    if (faults_.corruptReplies > 0) {
        --faults_.corruptReplies;
        QByteArray& last = frames[count - 1];
        last[last.size() - 1] = char(last[last.size() - 1] ^ 0x01);  // the office drops the frame
    }
    const bool withGarbage = faults_.garbageReplies > 0;
    if (withGarbage) --faults_.garbageReplies;
    QByteArray bytes;
    if (faults_.badThenGood > 0) {
        --faults_.badThenGood;
        QByteArray bad = frames[0];
        bad[bad.size() - 1] = char(bad[bad.size() - 1] ^ 0x01);
        bytes += bad;
    }
    for (int i = 0; i < count; ++i) {
        if (withGarbage) bytes += garbage();
        bytes += frames[i];
    }
    stats_.bytesOut += uint64_t(bytes.size());
    out.send(bytes, delay);
}
