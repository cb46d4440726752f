#include "kem_proto_ll.h"

#include "flash_chip.h"
#include "link_frame.h"
#include "port_names.h"
#include "recorder_clock.h"
#include "serial_number.h"
#include "serial_transport.h"

#include <QDateTime>
#include <algorithm>
#include <cstring>
#include <thread>

using namespace kemlink;

namespace {
constexpr int kHighBaud = 230400;
constexpr int kNormalBaud = 115200;

// Every public operation turns an error raised inside it into a false result.
template <typename F>
bool Guarded(F&& f)
{
    try {
        return f();
    } catch (...) {
        return false;
    }
}
}  // namespace

TKemProtoLL::TKemProtoLL(std::unique_ptr<LinkTransport> transport)
    : transport_(transport ? std::move(transport) : std::make_unique<SerialTransport>())
{
    transport_->setListener(this);
    Close();
    ResetReceiver();
}

TKemProtoLL::~TKemProtoLL()
{
    {
        // A command still running on another thread ends by its time-out; wait a little for it.
        std::unique_lock lock(linkLock_, std::defer_lock);
        for (int i = 0; i < 100 && !lock.try_lock(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        currentPort_ = kClosedPort;
        transport_->close();
    }
    // The port thread must be gone before the locks it uses are.
    transport_.reset();
}

// --- receiving (port thread) ---------------------------------------------------------------

void TKemProtoLL::received(const uint8_t* data, size_t n)
{
    std::lock_guard lock(receiveLock_);
    if (receiver_.feed(data, n)) replied_.notify_all();
}

void TKemProtoLL::portLost()
{
    linkOk_ = false;
    std::lock_guard lock(receiveLock_);
    if (receiver_.failPending()) replied_.notify_all();
}

void TKemProtoLL::statusReceived(const TRecorderStatus& status)
{
    std::lock_guard lock(statusLock_);
    status_ = status;
}

// --- transactions --------------------------------------------------------------------------

void TKemProtoLL::ResetReceiver()
{
    std::lock_guard lock(receiveLock_);
    receiver_.reset();
}

bool TKemProtoLL::Transact(uint8_t code, const uint8_t* payload, int len, int sends, int timeoutMs, Expect expect)
{
    const QByteArray frame = BuildFrame(code, payload, len);
    if (frame.isEmpty()) return false;  // payload too long: nothing is sent
    sends = std::max(sends, 1);
    timeoutMs = std::max(timeoutMs, 100);
    std::unique_lock lock(receiveLock_);
    for (int i = 0; i < sends; ++i) {
        // A late reply to an earlier send is lost: the receiver starts afresh before each send.
        receiver_.reset();
        receiver_.expect(expect);
        if (!transport_->isOpen()) {
            receiver_.reset();
            return false;
        }
        transport_->clearAndWrite(frame);
        if (replied_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [this] { return receiver_.state() == stComplete; }))
            break;
    }
    return receiver_.kind() != rkFailed;
}

bool TKemProtoLL::EndWithKind(ReplyKind kind)
{
    std::lock_guard lock(receiveLock_);
    const bool ok = receiver_.state() == stComplete && receiver_.kind() == kind;
    // A transaction that timed out stops listening too, so stray bytes are not parsed meanwhile.
    receiver_.reset();
    return ok;
}

bool TKemProtoLL::EndWithReply(uint8_t code, int dataLen, uint8_t* out)
{
    std::lock_guard lock(receiveLock_);
    const bool ok = receiver_.state() == stComplete && receiver_.kind() == rkOther && receiver_.replyCode() == code &&
                    receiver_.replyLen() == dataLen;
    if (ok) std::memcpy(out, receiver_.replyData(), size_t(dataLen));
    receiver_.reset();
    return ok;
}

// --- open and close ------------------------------------------------------------------------

bool TKemProtoLL::Open(int port, bool highSpeed, bool verify)
{
    return Open("COM" + QString::number(std::min(port, 8)), highSpeed, verify);
}

bool TKemProtoLL::Open(const QString& portName, bool highSpeed, bool verify)
{
    bool ok = false;
    try {
        std::lock_guard lock(linkLock_);
        int number = 0;
        QString name = portName;
        if (!IsDevicePath(portName)) {
            number = std::clamp(portName.mid(3).toInt(), 0, 8);
            name = "COM" + QString::number(number);
        }
        ok = OpenLocked(name, number, highSpeed, verify);
    } catch (...) {
        ok = false;
    }
    if (!ok && !transport_->isOpen()) currentPort_ = kClosedPort;
    linkOk_ = ok;
    return ok;
}

bool TKemProtoLL::OpenLocked(const QString& name, int number, bool highSpeed, bool verify)
{
    if (transport_->isOpen()) CloseLocked();
    const QString system = IsDevicePath(name) ? name : resolver_ ? resolver_(number) : SystemPortForNumber(number);
    if (system.isEmpty() || !transport_->open(system, highSpeed ? kHighBaud : kNormalBaud)) return false;
    currentPort_ = number;
    {
        std::lock_guard lock(statusLock_);
        currentPortName_ = name;
    }
    if (!verify) return true;
    {
        std::lock_guard lock(statusLock_);
        deviceTime_ = 0;
    }
    const bool ok = PingLocked(1, 100) && ReadAllRegisters() && ReadFlashType() && ReadClock();
    if (!ok) CloseLocked();
    return ok;
}

void TKemProtoLL::Close()
{
    CloseLocked();
}

void TKemProtoLL::CloseLocked()
{
    transport_->close();  // clears both buffers and returns once the port is closed
    linkOk_ = false;
    currentPort_ = kClosedPort;
}

QString TKemProtoLL::CurrentPortName() const
{
    std::lock_guard lock(statusLock_);
    return currentPort_ == kClosedPort ? QString() : currentPortName_;
}

// --- commands ------------------------------------------------------------------------------

bool TKemProtoLL::PingLocked(int sends, int timeoutMs)
{
    return Transact(cmdPing, nullptr, 0, sends, timeoutMs, expAck) && EndWithKind(rkAck);
}

bool TKemProtoLL::ReadAllRegisters()
{
    TRecorderRegisters table;
    for (int k = 0; k < kRegisterCount; ++k) {
        const uint8_t payload[4] = {uint8_t(k), 0, 0, 0};
        uint8_t value[8];
        if (!Transact(cmdReadRegister, payload, 4, 2, 200, expData) || !EndWithReply(rpRegister, 8, value)) {
            ResetReceiver();
            return false;
        }
        table[k] = LoadLE64(value);
    }
    std::lock_guard lock(statusLock_);
    registers_ = table;
    return true;
}

bool TKemProtoLL::ReadFlashType()
{
    {
        std::lock_guard lock(statusLock_);
        flashType_ = 0xFF;
    }
    uint8_t data[4];
    if (!Transact(cmdFlashType, nullptr, 0, 2, 200, expData) || !EndWithReply(rpFlashType, 4, data)) {
        ResetReceiver();
        return false;
    }
    std::lock_guard lock(statusLock_);
    flashType_ = data[0];
    return true;
}

bool TKemProtoLL::ReadClock()
{
    uint8_t data[8];
    if (!Transact(cmdReadClock, nullptr, 0, 2, 200, expData) || !EndWithReply(rpClock, 8, data)) {
        ResetReceiver();
        return false;
    }
    std::lock_guard lock(statusLock_);
    deviceTime_ = DecodeClockReply(data);
    return true;
}

bool TKemProtoLL::WriteRegister(int index, uint64_t value)
{
    uint8_t payload[16] = {};
    payload[0] = uint8_t(index);
    StoreLE64(payload + 1, value);
    return Transact(cmdWriteRegister, payload, 16, 2, 250, expAck) && EndWithKind(rkAck);
}

bool TKemProtoLL::Ping(bool readRegisters)
{
    return Guarded([&] {
        std::lock_guard lock(linkLock_);
        return PingLocked(2, 150) && (!readRegisters || ReadAllRegisters());
    });
}

bool TKemProtoLL::GetState(bool refresh, TRecorderStatus* status, TKemProtoRegStateEx* state,
                           TRecorderRegisters* registers)
{
    return Guarded([&] {
        std::lock_guard lock(linkLock_);
        if (refresh && !(PingLocked(2, 150) && ReadAllRegisters() && ReadFlashType() && ReadClock())) return false;
        std::lock_guard statusLock(statusLock_);
        if (registers) *registers = registers_;
        if (status) *status = status_;
        if (state) {
            const FlashChip chip = FlashChipByCode(flashType_);
            state->CarrierSerial = registers_[regs::CarrierSerial];
            state->CarrierSerialValid = SerialIsValid(0, state->CarrierSerial);
            state->FlashType = flashType_;
            state->FlashName = chip.name;
            state->FlashKnown = chip.known;
            state->FlashSize = chip.size;
            state->PageSize = chip.pageSize;
            state->DeviceTime = deviceTime_;
        }
        return true;
    });
}

bool TKemProtoLL::SetClock(double time)
{
    return Guarded([&] {
        std::lock_guard lock(linkLock_);
        // A time before 1908-03-18 stands for "now".
        const QDateTime t = time < 3000.0 ? QDateTime::currentDateTime() : DaysToDateTime(time);
        const auto payload = SetClockPayload(t);
        return Transact(cmdSetClock, payload.data(), int(payload.size()), 2, 200, expAck) && EndWithKind(rkAck);
    });
}

bool TKemProtoLL::WriteRegisters(const TRecorderRegisters& table, bool groupA, bool groupB, bool groupC)
{
    return Guarded([&] {
        std::lock_guard lock(linkLock_);
        std::vector<int> order;
        if (groupA) order.insert(order.end(), {7, 8, 9, 10});
        if (groupB) order.insert(order.end(), {5, 6});
        if (groupC) order.insert(order.end(), {0, 1, 2, 3, 4});
        for (int k : order)
            if (!WriteRegister(k, table[k])) return false;
        return true;
    });
}

bool TKemProtoLL::ClearCarrier(std::atomic<int>* progress)
{
    bool ok = Guarded([&] {
        std::lock_guard lock(linkLock_);
        if (progress) *progress = 60;
        if (!(Transact(cmdClearCarrier, nullptr, 0, 1, 10000, expAck) && EndWithKind(rkAck))) return false;
        // The recorder goes on erasing after its acknowledgement.
        if (!progress) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10 * clearPauseMs_));
        } else {
            for (int i = 0; i < 10; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(clearPauseMs_));
                *progress += 4;
            }
        }
        ResetReceiver();
        return true;
    });
    if (progress) *progress = 100;
    return ok;
}

bool TKemProtoLL::SetCarrierMode(bool calibration, bool flag2)
{
    return Guarded([&] {
        std::lock_guard lock(linkLock_);
        const uint8_t payload[4] = {uint8_t((calibration ? 1 : 0) | (flag2 ? 2 : 0)), 0, 0, 0};
        if (!(Transact(cmdSetMode, payload, 4, 1, 200, expAck) && EndWithKind(rkAck))) return false;
        ResetReceiver();
        return true;
    });
}

bool TKemProtoLL::ReadPage(int page, uint8_t* buffer)
{
    return Guarded([&] {
        std::lock_guard lock(linkLock_);
        return ReadPageLocked(page, buffer);
    });
}

bool TKemProtoLL::ReadPageLocked(int page, uint8_t* buffer)
{
    if (page < 0 || page >= kMaxPages) return false;
    const uint8_t payload[2] = {uint8_t(page), uint8_t(page >> 8)};
    const bool sent = Transact(cmdReadPage, payload, 2, 2, 200, expPage);
    std::lock_guard lock(receiveLock_);
    const bool ok = sent && receiver_.state() == stComplete && receiver_.kind() == rkPageDone &&
                    receiver_.pagePosition() == kPageSize;
    if (ok) std::memcpy(buffer, receiver_.page(), kPageSize);
    receiver_.reset();
    return ok;
}

bool TKemProtoLL::WritePage(int page, const uint8_t* buffer)
{
    return Guarded([&] {
        std::lock_guard lock(linkLock_);
        return WritePageLocked(page, buffer);
    });
}

bool TKemProtoLL::WritePageLocked(int page, const uint8_t* buffer)
{
    if (page < 0 || page >= kMaxPages) return false;
    const uint8_t start[4] = {uint8_t(page), uint8_t(page >> 8), 0, 0};
    if (!(Transact(cmdWritePageStart, start, 4, 2, 150, expAck) && EndWithKind(rkAck))) return false;
    for (int k = 0; k < kWriteChunks; ++k) {
        uint8_t chunk[16] = {};
        std::memcpy(chunk, buffer + k * kWriteChunk, kWriteChunk);
        chunk[12] = uint8_t(k);
        if (!(Transact(cmdWritePageData, chunk, 16, 2, 300, expAck) && EndWithKind(rkAck))) return false;
    }
    return true;
}

// --- copies --------------------------------------------------------------------------------

TRecorderStatus TKemProtoLL::Status() const
{
    std::lock_guard lock(statusLock_);
    return status_;
}

TRecorderRegisters TKemProtoLL::Registers() const
{
    std::lock_guard lock(statusLock_);
    return registers_;
}

uint8_t TKemProtoLL::FlashType() const
{
    std::lock_guard lock(statusLock_);
    return flashType_;
}

double TKemProtoLL::DeviceTime() const
{
    std::lock_guard lock(statusLock_);
    return deviceTime_;
}
