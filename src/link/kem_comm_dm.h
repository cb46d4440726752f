#pragma once
// TKemCommDM: owns the link and a worker thread. While idle the worker looks for a recorder (every
// 100 ms one scan step on the configured port, 230400 then 115200 baud) and, once one answers,
// keeps checking it; windows hand it device commands, one at a time. Recorder-found and
// recorder-lost notifications reach the main thread as queued calls, in the order they were posted.
#include "kem_proto_ll.h"
#include "manual_event.h"
#include "progress_host.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class TKemCommDM : public QObject {
    Q_OBJECT
public:
    using Procedure = std::function<void()>;
    static constexpr int kMaxPageBuffer = 16 * 1024 * 1024;

    // Without a link object the manager makes one on the machine's serial port. The manager lives
    // on the thread that creates it (the main thread), where the notifications arrive.
    explicit TKemCommDM(std::unique_ptr<TKemProtoLL> link = {}, QObject* parent = nullptr);
    ~TKemCommDM() override;

    // A configured port name: "COMn" (n = 0 or less scans ports 1 ... 8; above 8 means 8) or a
    // device path, which is the only port ever tried.
    void StartLink(const QString& configuredPort);
    void StartLink(int port);
    void StopLink();

    bool RunCommand(Procedure procedure);
    bool PostCommand(Procedure procedure);

    bool CheckLink();
    bool FetchDeviceState();
    bool WriteRegisterGroup(const TRecorderRegisters& table, bool groupA, bool groupB, bool groupC);
    bool SetRecorderClock(double time);
    bool SetRecorderMode(bool calibration, bool flag2);
    bool StartClearCarrier();
    bool StartRefreshAndClear();
    bool StartReadPages(int start, int count);
    bool StartWritePages(const uint8_t* data, int start, int count);
    void ReleasePageBuffer();
    void RequestAbort() { abort_ = true; }

    int LastError() const { return lastError_.load(); }
    QString LastErrorText() const;

    bool Connected() const { return connected_.load(); }
    bool ConnectPending() const { return connectPending_.load(); }
    bool Running() const { return running_.load(); }
    bool Busy() const { return busy_.load(); }
    bool AbortRequested() const { return abort_.load(); }
    int Progress() const { return progress_.load(); }
    int Transferred() const { return transferred_.load(); }
    int ConfiguredPort() const { return configuredPort_.load(); }
    int ScanPort() const { return scanPort_.load(); }

    // The page buffer of the last transfer; read it only while no command runs.
    const std::vector<uint8_t>& PageBuffer() const { return pageBuffer_; }
    TRecorderStatus Status() const;
    TKemProtoRegStateEx StateEx() const;
    TRecorderRegisters Registers() const;

    // Handlers of the two notifications (run on the manager's thread).
    void SetOnConnect(std::function<void()> handler) { onConnect_ = std::move(handler); }
    void SetOnDisconnect(std::function<void()> handler) { onDisconnect_ = std::move(handler); }

    // What the progress window follows: Busy, Progress and the abort request.
    ProgressSource& progressSource() { return progressSource_; }
    TKemProtoLL& Link() { return *link_; }

private:
    enum Notification { RecorderFound = 1, RecorderLost = 2 };

    void StartWorker(int port, const QString& devicePath);
    void WorkerMain();
    void IdleTick();
    void ScanStep();
    void LinkLost();
    void Post(Notification n);
    void Deliver(Notification n);
    void SetError(int code, const QString& text);
    bool Fail(const QString& text = QStringLiteral("Нет связи с устройством"));
    bool HandOver(Procedure procedure);
    void WaitIdle();
    void ReadProcedure(int start, int count);
    void WriteProcedure(int start, int count);

    std::unique_ptr<TKemProtoLL> link_;
    std::thread worker_;
    std::mutex startStopLock_;  // start and stop of the worker
    mutable std::mutex lock_;   // the manager lock: hand-over of a command, error, state copies
    ManualEvent commandEvent_;
    ManualEvent doneEvent_;
    Procedure command_;

    std::atomic<int> configuredPort_{0};
    QString devicePath_;
    std::atomic<int> scanPort_{0};
    std::atomic<int> lastError_{0};
    QString lastErrorText_;
    std::atomic<bool> connectPending_{false};
    std::atomic<bool> connected_{false};
    std::atomic<bool> running_{false};
    std::atomic<bool> terminate_{false};
    std::atomic<bool> abort_{false};
    std::atomic<bool> busy_{false};
    std::atomic<int> progress_{0};
    std::atomic<int> transferred_{0};

    std::vector<uint8_t> pageBuffer_;
    TRecorderStatus status_;
    TKemProtoRegStateEx stateEx_;
    TRecorderRegisters registers_;

    std::function<void()> onConnect_;
    std::function<void()> onDisconnect_;
    FlagProgressSource progressSource_{busy_, progress_, abort_};
};
