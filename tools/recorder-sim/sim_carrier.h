#pragma once
// The simulated recorder's memory: the carrier (flash pages of 528 bytes), the eleven registers,
// the status flags and the clock. Everything the link can see of a recorder lives here, so other
// parts of the simulator (control commands, scenarios that write a trip or a calibration run) work
// on one object:
//   carrier.page(p)                  528 bytes of page p
//   carrier.readBytes / writeBytes   a byte range across pages (the order header is pages 0 ... 15)
//   carrier.appendRecords(...)       12-byte protocol records at the recording position (register 5)
//   carrier.reg(k) / setReg(k, v)    registers
//   carrier.setMode / setCalibration / setOverflow   status flags
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

class SimCarrier {
public:
    static constexpr int kPageSize = 528;
    static constexpr int kRecordSize = 12;
    static constexpr int kRecordsPerPage = kPageSize / kRecordSize;  // 44
    static constexpr int kProtocolStartPage = 128;
    static constexpr int kHeaderBytes = 8448;                        // pages 0 ... 15

    explicit SimCarrier(int pages = 8192);

    // 4096 pages (flash type 0x2C) or 8192 pages (0x38); the carrier is cleared.
    bool setPageCount(int pages);
    int pageCount() const { return int(flash_.size() / kPageSize); }
    uint8_t flashType() const { return pageCount() == 4096 ? 0x2C : 0x38; }

    uint8_t* page(int p) { return flash_.data() + size_t(p) * kPageSize; }
    const uint8_t* page(int p) const { return flash_.data() + size_t(p) * kPageSize; }
    bool readBytes(size_t offset, uint8_t* out, size_t n) const;
    bool writeBytes(size_t offset, const uint8_t* data, size_t n);
    std::vector<uint8_t>& flash() { return flash_; }

    uint64_t reg(int k) const { return regs_[size_t(k)]; }
    void setReg(int k, uint64_t v);

    // Register 5: the page being written and the records already in it.
    int positionPage() const { return int(regs_[5] & 0xFFFF); }
    int positionRecords() const { return int((regs_[5] >> 16) & 0xFF); }
    void setPosition(int page, int records);
    // Appends records at the recording position; stops (overflow flag) when the carrier is full.
    // Returns the number of records written.
    int appendRecords(const uint8_t* records, int count);

    // Status: mode 1 ... 4 (2 = recorded data, 4 = empty, 1 and 3 faulty), calibration and overflow flags.
    int mode() const;
    void setMode(int mode);
    bool calibration() const { return flags_ & 0x02; }
    void setCalibration(bool on);
    bool overflow() const { return flags_ & 0x10; }
    void setOverflow(bool on);
    uint8_t flags() const { return flags_; }
    uint8_t extFlags() const { return ext_; }
    uint8_t value() const { return value_; }

    // Every page erased, the carrier empty (mode 4), the recording position at the protocol start.
    void clear();
    // What cmdSetMode does: the carrier records an order (or a calibration run) from now on.
    void startRecording(bool calibration);

    QDateTime clockNow() const;
    void setClock(const QDateTime& t);

    // The state file keeps all of the above between runs.
    bool save(const QString& path) const;
    bool load(const QString& path);
    bool dirty() const { return dirty_; }
    void markDirty() { dirty_ = true; }
    void markClean() const { dirty_ = false; }

private:
    std::vector<uint8_t> flash_;
    std::array<uint64_t, 11> regs_{};
    uint8_t flags_ = 0x04;
    uint8_t ext_ = 0;
    uint8_t value_ = 0;
    qint64 clockOffsetMs_ = 0;
    mutable bool dirty_ = true;
};
