#pragma once
// The device operations that windows, workflows and the command-line tool use: each runs through
// the communication manager, the long ones follow the worker with the progress window (ProgressHost).
// None of them talks to the link directly.
#include "kem_comm_dm.h"
#include "progress_host.h"
#include "protokol_record.h"
#include "recorder_registers.h"

#include <QByteArray>
#include <functional>

class Interaction;

class DeviceOperations {
public:
    DeviceOperations(TKemCommDM& manager, ProgressHost& progress) : dm_(manager), progress_(progress) {}

    // CheckLink on the calling thread, then the state fetch when connected.
    bool RefreshDeviceState();
    // Clears the carrier with the progress window "Сброс носителя"; false when not connected.
    bool ResetCarrier();
    // State fetch, then clearing with the progress window "Очистка носителя".
    bool ClearCarrierWithProgress();
    // Register 7 of the last fetched registers as text; false (and empty text) when not connected.
    bool RecorderSerialText(QString& text);
    // Register 0 of the last fetched state as text; always true.
    bool CarrierSerialText(QString& text);
    // 0 = order recording, 1 = calibration recording.
    bool SetRecordingMode(int mode);
    bool SetDeviceClock(double time);

    // Reads count pages from start with the progress window; true only when every byte arrived.
    bool ReadPages(int start, int count, const QString& caption);
    bool WritePages(const uint8_t* data, int start, int count, const QString& caption);

    // Result codes of ReadProtocol.
    enum { ProtocolRead = 0, ProtocolReadError = 1, ProtocolCancelled = 3 };
    // Reads the protocol up to the recording position of register 5 (from page 128), asking
    // through ui when the position's record count is above 44.
    int ReadProtocol(const RecordingPosition& position, Interaction& ui, TProtokolRecords& records);

    // Run after RefreshDeviceState (the main window enables itself again there).
    void SetAfterRefresh(std::function<void()> f) { afterRefresh_ = std::move(f); }

    TKemCommDM& Manager() { return dm_; }

private:
    bool Follow(const QString& caption);

    TKemCommDM& dm_;
    ProgressHost& progress_;
    std::function<void()> afterRefresh_;
};
