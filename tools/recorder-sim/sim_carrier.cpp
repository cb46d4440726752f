#include "sim_carrier.h"

#include <QFile>
#include <QSaveFile>
#include <cstring>

namespace {
// Valid serial numbers for a fresh simulator: carrier 1.02.0304.E-0000012.1, recorder 1.01.0001.9-0000001.2.
constexpr uint64_t kDefaultCarrierSerial = 0x1020304E00000121ull;
constexpr uint64_t kDefaultRecorderSerial = 0x1010001900000012ull;
constexpr char kMagic[8] = {'K', 'E', 'M', 'S', 'I', 'M', '1', 0};
}  // namespace

SimCarrier::SimCarrier(int pages)
{
    regs_[0] = kDefaultCarrierSerial;
    regs_[7] = kDefaultRecorderSerial;
    if (!setPageCount(pages)) setPageCount(8192);
}

bool SimCarrier::setPageCount(int pages)
{
    if (pages != 4096 && pages != 8192) return false;
    flash_.assign(size_t(pages) * kPageSize, 0xFF);
    clear();
    return true;
}

bool SimCarrier::readBytes(size_t offset, uint8_t* out, size_t n) const
{
    if (offset > flash_.size() || n > flash_.size() - offset) return false;
    std::memcpy(out, flash_.data() + offset, n);
    return true;
}

bool SimCarrier::writeBytes(size_t offset, const uint8_t* data, size_t n)
{
    if (offset > flash_.size() || n > flash_.size() - offset) return false;
    std::memcpy(flash_.data() + offset, data, n);
    dirty_ = true;
    return true;
}

void SimCarrier::setReg(int k, uint64_t v)
{
    if (k < 0 || k >= int(regs_.size())) return;
    regs_[size_t(k)] = v;
    dirty_ = true;
}

void SimCarrier::setPosition(int page, int records)
{
    regs_[5] = (regs_[5] & ~0xFFFFFFull) | uint64_t(page & 0xFFFF) | (uint64_t(records & 0xFF) << 16);
    dirty_ = true;
}

int SimCarrier::appendRecords(const uint8_t* records, int count)
{
    int page = positionPage(), used = positionRecords(), written = 0;
    while (written < count) {
        if (used >= kRecordsPerPage) {
            ++page;
            used = 0;
        }
        if (page >= pageCount()) {
            setOverflow(true);
            page = pageCount() - 1;
            used = kRecordsPerPage;
            break;
        }
        std::memcpy(this->page(page) + used * kRecordSize, records + written * kRecordSize, kRecordSize);
        ++used;
        ++written;
    }
    setPosition(page, used);
    return written;
}

int SimCarrier::mode() const
{
    if (flags_ & 0x08) return 1;
    if (flags_ & 0x04) return 4;
    if (ext_ & 0x01) return 3;
    return 2;
}

void SimCarrier::setMode(int mode)
{
    flags_ &= uint8_t(~0x0C);
    ext_ &= uint8_t(~0x01);
    if (mode == 1) flags_ |= 0x08;
    if (mode == 4) flags_ |= 0x04;
    if (mode == 3) ext_ |= 0x01;
    dirty_ = true;
}

void SimCarrier::setCalibration(bool on)
{
    flags_ = on ? uint8_t(flags_ | 0x02) : uint8_t(flags_ & ~0x02);
    dirty_ = true;
}

void SimCarrier::setOverflow(bool on)
{
    flags_ = on ? uint8_t(flags_ | 0x10) : uint8_t(flags_ & ~0x10);
    dirty_ = true;
}

void SimCarrier::clear()
{
    std::fill(flash_.begin(), flash_.end(), 0xFF);
    flags_ = 0x04;
    ext_ = 0;
    setPosition(kProtocolStartPage, 0);
    dirty_ = true;
}

void SimCarrier::startRecording(bool calibration)
{
    setMode(2);
    setCalibration(calibration);
    setOverflow(false);
    setPosition(kProtocolStartPage, 0);
}

QDateTime SimCarrier::clockNow() const
{
    return QDateTime::currentDateTime().addMSecs(clockOffsetMs_);
}

void SimCarrier::setClock(const QDateTime& t)
{
    clockOffsetMs_ = QDateTime::currentDateTime().msecsTo(t);
    dirty_ = true;
}

bool SimCarrier::save(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    uint8_t head[8 + 4 + 4 + 8 + 11 * 8] = {};
    std::memcpy(head, kMagic, 8);
    const uint32_t pages = uint32_t(pageCount());
    std::memcpy(head + 8, &pages, 4);
    head[12] = flags_;
    head[13] = ext_;
    head[14] = value_;
    std::memcpy(head + 16, &clockOffsetMs_, 8);
    std::memcpy(head + 24, regs_.data(), 11 * 8);
    file.write(reinterpret_cast<const char*>(head), sizeof head);
    file.write(reinterpret_cast<const char*>(flash_.data()), qint64(flash_.size()));
    if (!file.commit()) return false;
    dirty_ = false;
    return true;
}

bool SimCarrier::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    uint8_t head[8 + 4 + 4 + 8 + 11 * 8];
    if (file.read(reinterpret_cast<char*>(head), sizeof head) != qint64(sizeof head)) return false;
    if (std::memcmp(head, kMagic, 8) != 0) return false;
    uint32_t pages;
    std::memcpy(&pages, head + 8, 4);
    if (pages != 4096 && pages != 8192) return false;
    std::vector<uint8_t> flash(size_t(pages) * kPageSize);
    if (file.read(reinterpret_cast<char*>(flash.data()), qint64(flash.size())) != qint64(flash.size())) return false;
    flash_ = std::move(flash);
    flags_ = head[12];
    ext_ = head[13];
    value_ = head[14];
    std::memcpy(&clockOffsetMs_, head + 16, 8);
    std::memcpy(regs_.data(), head + 24, 11 * 8);
    dirty_ = false;
    return true;
}
