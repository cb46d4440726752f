#pragma once
// TKemProtoLL: the low-level link to a recorder. It opens the port, frames and checksums commands,
// runs the receive state machine on the port's reading thread, matches replies to the command in
// flight, resends on time-out and offers one operation per recorder function. Every public
// operation holds the link lock for its whole run; inside, the receive lock comes before the
// status lock.
#include "link_codes.h"
#include "link_receiver.h"
#include "link_transport.h"
#include "recorder_registers.h"
#include "recorder_status.h"
#include "reg_state_ex.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class TKemProtoLL : private TransportListener, private kemlink::StatusListener {
public:
    static constexpr int kClosedPort = 0xFF;

    // Without a transport the link uses the machine's serial port.
    explicit TKemProtoLL(std::unique_ptr<LinkTransport> transport = {});
    ~TKemProtoLL() override;
    TKemProtoLL(const TKemProtoLL&) = delete;
    TKemProtoLL& operator=(const TKemProtoLL&) = delete;

    // Port n (above 8 taken as 8) at 230400 baud (high speed) or 115200 baud; with verify the
    // recorder must answer a ping and the register, flash type and clock reads.
    bool Open(int port, bool highSpeed, bool verify);
    // A "COMn" name, or a device path opened as given.
    bool Open(const QString& portName, bool highSpeed, bool verify);
    void Close();

    bool Ping(bool readRegisters);
    bool GetState(bool refresh, TRecorderStatus* status, TKemProtoRegStateEx* state, TRecorderRegisters* registers);
    bool SetClock(double time);
    bool WriteRegisters(const TRecorderRegisters& table, bool groupA, bool groupB, bool groupC);
    bool ClearCarrier(std::atomic<int>* progress);
    bool SetCarrierMode(bool calibration, bool flag2);
    bool ReadPage(int page, uint8_t* buffer);
    bool WritePage(int page, const uint8_t* buffer);

    int CurrentPort() const { return currentPort_.load(); }
    QString CurrentPortName() const;
    bool LinkOk() const { return linkOk_.load(); }
    bool IsOpen() const { return transport_->isOpen(); }

    TRecorderStatus Status() const;
    TRecorderRegisters Registers() const;
    uint8_t FlashType() const;
    double DeviceTime() const;

    // How "COMn" becomes a system port; by default the n-th serial port of the machine.
    void SetPortResolver(std::function<QString(int)> resolver) { resolver_ = std::move(resolver); }

    // The clearing command waits 10 x 300 ms for the recorder; tests shorten the pause.
    void SetClearPause(int ms) { clearPauseMs_ = ms; }

private:
    // TransportListener / StatusListener (reading thread, receive lock held for statusReceived).
    void received(const uint8_t* data, size_t n) override;
    void portLost() override;
    void statusReceived(const TRecorderStatus& status) override;

    bool Transact(uint8_t code, const uint8_t* payload, int len, int sends, int timeoutMs, kemlink::Expect expect);
    // Ends the transaction and tells whether it met the command's success condition.
    bool EndWithKind(kemlink::ReplyKind kind);
    bool EndWithReply(uint8_t code, int dataLen, uint8_t* out);
    void ResetReceiver();

    bool OpenLocked(const QString& portName, int portNumber, bool highSpeed, bool verify);
    void CloseLocked();
    bool PingLocked(int sends, int timeoutMs);
    bool ReadAllRegisters();
    bool ReadFlashType();
    bool ReadClock();
    bool WriteRegister(int index, uint64_t value);
    bool ReadPageLocked(int page, uint8_t* buffer);
    bool WritePageLocked(int page, const uint8_t* buffer);

    std::unique_ptr<LinkTransport> transport_;
    std::mutex linkLock_;
    mutable std::mutex receiveLock_;
    std::condition_variable replied_;
    mutable std::mutex statusLock_;
    kemlink::TKemReceiver receiver_{this};

    std::atomic<int> currentPort_{kClosedPort};
    QString currentPortName_;  // guarded by linkLock_ (written) and statusLock_ (read)
    std::atomic<bool> linkOk_{false};

    TRecorderStatus status_;
    TRecorderRegisters registers_;
    uint8_t flashType_ = 0;
    double deviceTime_ = 0;
    int clearPauseMs_ = 300;
    std::function<QString(int)> resolver_;
};
