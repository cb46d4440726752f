#include "kem_comm_dm.h"

#include "port_names.h"

#include <QMetaObject>
#include <QThread>
#include <algorithm>
#include <exception>

using namespace std::chrono_literals;
using kemlink::kMaxPages;
using kemlink::kPageSize;

namespace {
const QString kNoLink = QStringLiteral("Нет связи с устройством");
const QString kNotStarted = QStringLiteral("Порт не инициализирован");
const QString kInternal = QStringLiteral("Внутренняя ошибка: ");
const QString kNoCommand = QStringLiteral("Внутренняя ошибка: Нет команды.");
}  // namespace

TKemCommDM::TKemCommDM(std::unique_ptr<TKemProtoLL> link, QObject* parent)
    : QObject(parent), link_(link ? std::move(link) : std::make_unique<TKemProtoLL>())
{
}

TKemCommDM::~TKemCommDM()
{
    StopLink();
    link_.reset();  // closes the port
}

// --- start and stop ------------------------------------------------------------------------

void TKemCommDM::StartLink(const QString& configuredPort)
{
    if (IsDevicePath(configuredPort)) {
        StartWorker(1, configuredPort);
        return;
    }
    bool ok = false;
    const int n = configuredPort.mid(3).toInt(&ok, 10);  // "COMX" or "COM" give port 1
    StartWorker(ok ? n : 1, {});
}

void TKemCommDM::StartLink(int port)
{
    StartWorker(port, {});
}

void TKemCommDM::StartWorker(int port, const QString& devicePath)
{
    std::lock_guard lock(startStopLock_);
    if (running_) return;
    configuredPort_ = std::min(port, 8);
    devicePath_ = devicePath;
    command_ = nullptr;
    lastError_ = 0;
    lastErrorText_.clear();
    terminate_ = false;
    abort_ = false;
    busy_ = true;
    commandEvent_.reset();
    doneEvent_.reset();
    worker_ = std::thread([this] { WorkerMain(); });
    doneEvent_.wait();
    connectPending_ = false;
    connected_ = false;
    running_ = true;
}

void TKemCommDM::StopLink()
{
    // The manager lock is not held while waiting: the worker takes it to finish its command.
    std::lock_guard stopLock(startStopLock_);
    if (!worker_.joinable()) return;
    while (busy_) std::this_thread::sleep_for(10ms);
    doneEvent_.wait();
    {
        std::lock_guard lock(lock_);
        doneEvent_.reset();
        busy_ = true;
        if (running_) {
            abort_ = true;
            terminate_ = true;
            commandEvent_.set();
        }
    }
    doneEvent_.wait();
    worker_.join();
    running_ = false;
    busy_ = false;
    doneEvent_.set();  // commands given from now on fail at once instead of waiting
}

// --- the worker ----------------------------------------------------------------------------

void TKemCommDM::WorkerMain()
{
    try {
        busy_ = false;
        doneEvent_.set();
        while (!terminate_) {
            if (!commandEvent_.wait(100ms)) {
                IdleTick();
                continue;
            }
            if (terminate_) break;
            commandEvent_.reset();
            Procedure procedure;
            {
                std::lock_guard lock(lock_);
                procedure = std::move(command_);
                command_ = nullptr;
            }
            if (procedure) {
                SetError(0, {});
                try {
                    procedure();
                } catch (const std::exception& e) {
                    SetError(-1, kInternal + QString::fromLocal8Bit(e.what()));
                } catch (...) {
                    SetError(-1, kInternal + "unknown");
                }
            } else {
                SetError(-1, kNoCommand);
            }
            busy_ = false;
            doneEvent_.set();
        }
    } catch (...) {
        // An unexpected error ends the worker like a stop request.
    }
    commandEvent_.reset();
    busy_ = false;
    running_ = false;
    doneEvent_.set();
}

void TKemCommDM::IdleTick()
{
    if (abort_) return;  // a user abort suspends polling until the next command
    if (connected_) {
        CheckLink();
    } else {
        ScanStep();
    }
}

void TKemCommDM::ScanStep()
{
    if (connectPending_) return;
    int candidate = configuredPort_ > 0 ? configuredPort_.load() : scanPort_ + 1;
    if (candidate > 8 || candidate <= 0) candidate = 1;
    scanPort_ = candidate;
    const QString port = devicePath_.isEmpty() ? "COM" + QString::number(candidate) : devicePath_;
    if (link_->Open(port, true, true)) {
        if (!link_->Ping(true)) return;
    } else {
        if (!link_->Open(port, false, true)) {
            LinkLost();
            return;
        }
        if (!link_->Ping(true)) return;
        configuredPort_ = scanPort_.load();  // later scans stay on this port
    }
    connected_ = true;
    connectPending_ = true;
    Post(RecorderFound);
}

bool TKemCommDM::CheckLink()
{
    if (link_->Ping(true)) {
        connected_ = true;
        return true;
    }
    LinkLost();
    return false;
}

void TKemCommDM::LinkLost()
{
    if (!connected_.exchange(false)) return;
    connectPending_ = false;
    Post(RecorderLost);
}

void TKemCommDM::Post(Notification n)
{
    QMetaObject::invokeMethod(this, [this, n] { Deliver(n); }, Qt::QueuedConnection);
}

void TKemCommDM::Deliver(Notification n)
{
    if (n == RecorderFound) {
        if (connectPending_ && onConnect_) onConnect_();
    } else if (onDisconnect_) {
        onDisconnect_();
    }
}

// --- handing commands over -----------------------------------------------------------------

void TKemCommDM::SetError(int code, const QString& text)
{
    std::lock_guard lock(lock_);
    lastError_ = code;
    lastErrorText_ = text;
}

bool TKemCommDM::Fail(const QString& text)
{
    SetError(-1, text);
    return false;
}

QString TKemCommDM::LastErrorText() const
{
    std::lock_guard lock(lock_);
    return lastErrorText_;
}

bool TKemCommDM::HandOver(Procedure procedure)
{
    for (;;) {
        if (!running_) return Fail(kNotStarted);
        doneEvent_.wait();  // the previous command has ended
        std::lock_guard lock(lock_);
        if (!doneEvent_.isSet()) continue;  // another thread handed its command over first
        if (!running_) {
            lastError_ = -1;
            lastErrorText_ = kNotStarted;
            return false;
        }
        doneEvent_.reset();
        abort_ = false;
        busy_ = true;
        command_ = std::move(procedure);
        break;
    }
    commandEvent_.set();
    return true;
}

void TKemCommDM::WaitIdle()
{
    if (running_) doneEvent_.wait();
}

bool TKemCommDM::RunCommand(Procedure procedure)
{
    if (!HandOver(std::move(procedure))) return false;
    doneEvent_.wait();
    return lastError_ == 0;
}

bool TKemCommDM::PostCommand(Procedure procedure)
{
    return HandOver(std::move(procedure));
}

// --- device commands -----------------------------------------------------------------------

bool TKemCommDM::FetchDeviceState()
{
    const bool ok = RunCommand([this] {
        TRecorderStatus status;
        TKemProtoRegStateEx state;
        TRecorderRegisters registers;
        if (!link_->GetState(true, &status, &state, &registers)) {
            Fail();
            LinkLost();
            return;
        }
        std::lock_guard lock(lock_);
        status_ = status;
        stateEx_ = state;
        registers_ = registers;
    });
    connectPending_ = false;
    return ok;
}

bool TKemCommDM::WriteRegisterGroup(const TRecorderRegisters& table, bool groupA, bool groupB, bool groupC)
{
    return RunCommand([=, this] {
        if (!link_->WriteRegisters(table, groupA, groupB, groupC)) Fail();
    });
}

bool TKemCommDM::SetRecorderClock(double time)
{
    return RunCommand([=, this] {
        if (!link_->SetClock(time)) Fail();
    });
}

bool TKemCommDM::SetRecorderMode(bool calibration, bool flag2)
{
    return RunCommand([=, this] {
        if (!link_->SetCarrierMode(calibration, flag2)) Fail();
    });
}

bool TKemCommDM::StartClearCarrier()
{
    progress_ = 0;
    PostCommand([this] {
        if (!link_->ClearCarrier(&progress_)) Fail();
    });
    return true;
}

bool TKemCommDM::StartRefreshAndClear()
{
    if (!FetchDeviceState()) return false;
    return StartClearCarrier();
}

void TKemCommDM::ReleasePageBuffer()
{
    if (!running_) {
        std::lock_guard lock(lock_);
        pageBuffer_ = {};
        transferred_ = 0;
        return;
    }
    doneEvent_.wait();
    {
        std::lock_guard lock(lock_);
        doneEvent_.reset();
        busy_ = true;
        pageBuffer_ = {};
        transferred_ = 0;
    }
    // The worker wakes without a command, answers "Нет команды." and signals done.
    commandEvent_.set();
    doneEvent_.wait();
}

bool TKemCommDM::StartReadPages(int start, int count)
{
    if (count == 0) {
        ReleasePageBuffer();
        return true;
    }
    WaitIdle();
    if (!pageBuffer_.empty()) ReleasePageBuffer();
    const qint64 bytes = qint64(count) * kPageSize;
    if (count > 0 && bytes <= kMaxPageBuffer) pageBuffer_.assign(size_t(bytes), 0);
    transferred_ = 0;
    if (pageBuffer_.empty()) return Fail(QStringLiteral("Нет данных для чтения"));
    if (start < 0 || start >= kMaxPages || start + count > kMaxPages)
        return Fail(QStringLiteral("Ошибка в параметрах при чтении FLASH-памяти."));
    progress_ = 0;
    return PostCommand([=, this] { ReadProcedure(start, count); });
}

void TKemCommDM::ReadProcedure(int start, int count)
{
    const int step = 6553600 / count;
    int accumulator = 0;
    for (int i = 0; i < count; ++i) {
        if (!link_->ReadPage(start + i, pageBuffer_.data() + size_t(i) * kPageSize)) {
            Fail(QStringLiteral("Ошибка в параметрах чтения FLASH-памяти"));
            return;
        }
        transferred_ += kPageSize;
        if (abort_) {
            SetError(2, QStringLiteral("Операция прервана пользователем"));
            return;
        }
        accumulator += step;
        progress_ = accumulator / 65536;
    }
}

bool TKemCommDM::StartWritePages(const uint8_t* data, int start, int count)
{
    if (count == 0) {
        ReleasePageBuffer();
        return false;
    }
    WaitIdle();
    const qint64 bytes = qint64(count) * kPageSize;
    if (data != pageBuffer_.data() || qint64(pageBuffer_.size()) < bytes) {
        if (!pageBuffer_.empty()) ReleasePageBuffer();
        if (!data || count < 0 || bytes > kMaxPageBuffer) return Fail(QStringLiteral("Нет данных для записи"));
        pageBuffer_.assign(data, data + bytes);
    }
    if (start < 0 || start > kMaxPages - 1 || start + count > kMaxPages)
        return Fail(QStringLiteral("Ошибка в параметрах при записи FLASH-памяти."));
    transferred_ = int(bytes);
    progress_ = 0;
    return PostCommand([=, this] { WriteProcedure(start, count); });
}

void TKemCommDM::WriteProcedure(int start, int count)
{
    const int step = 6553600 / count;
    int accumulator = 0;
    for (int i = 0; i < count; ++i) {
        if (!link_->WritePage(start + i, pageBuffer_.data() + size_t(i) * kPageSize)) {
            Fail(QStringLiteral("Ошибка в параметрах записи FLASH-памяти"));
            return;
        }
        if (abort_) {
            SetError(2, QStringLiteral("Операция прервана пользователем."));
            return;
        }
        accumulator += step;
        progress_ = accumulator / 65536;
    }
}

// --- copies --------------------------------------------------------------------------------

TRecorderStatus TKemCommDM::Status() const
{
    std::lock_guard lock(lock_);
    return status_;
}

TKemProtoRegStateEx TKemCommDM::StateEx() const
{
    std::lock_guard lock(lock_);
    return stateEx_;
}

TRecorderRegisters TKemCommDM::Registers() const
{
    std::lock_guard lock(lock_);
    return registers_;
}
