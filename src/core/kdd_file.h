#pragma once
// The data file (.kdd) of a saved order: a 104-byte file header, the order header, a 64-byte data
// section header and the one-minute samples.
#include "kdd_sample.h"
#include "order_header.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class Interaction;

namespace kdd {
constexpr int kFileHeaderSize = 104;
constexpr int kSectionHeaderSize = 64;
constexpr int kSectionOffset = kFileHeaderSize + hdr::kSize;  // 8552
constexpr int kSampleSize = 32;
constexpr uint32_t kVersion = 512;
// Data files beyond this size are refused instead of being read into memory (a year of samples
// takes about 17 MB).
constexpr qint64 kMaxFileSize = 256ll * 1024 * 1024;
}  // namespace kdd

// The complete image of a data file. fileName (no directory) goes into the name field, cut to 32 bytes.
QByteArray BuildDataFileImage(const TOrderHeader& header, const TKDDData& samples, const QDateTime& startTime,
                              const QDateTime& endTime, const QString& fileName = {});

// With a stream: the stream is replaced by the image (without a file name) and path is emptied.
// Without a stream: a new file named by MakeFileName (car number of the header, directory, ".kdd",
// today) is written and its path returned. False when the directory does not exist, no free name is
// left or writing fails; the caller reports it.
bool SaveDataFile(const QString& directory, const TOrderHeader& header, const TKDDData& samples, QByteArray* stream,
                  const QDateTime& startTime, const QDateTime& endTime, QString* path);

// The reader of a data file. The content is checked against its own offsets and counts: nothing
// outside it is read, and a file that does not hold what it claims is not loaded.
class TKDDFile {
public:
    TKDDFile() = default;
    // Reads the file; "E2002: Ошибка чтения файла!" through ui when it cannot be read whole or its
    // content does not hold what it claims. A missing file is not loaded, without a message.
    explicit TKDDFile(const QString& path, Interaction* ui = nullptr);

    // Takes a data file image (a file's content or a stream kept by an order window).
    bool LoadImage(const QByteArray& image);

    bool Loaded() const { return loaded_; }
    int Count() const { return int(samples_.size()); }
    int Interval() const { return interval_; }  // seconds between samples
    const QByteArray& Content() const { return content_; }
    const TKDDData& Samples() const { return samples_; }
    TOrderHeader Header() const;

    // First and last sample time of the section header (seconds 0); null when the stored bytes do
    // not make a date.
    QDateTime StartTime() const { return start_; }
    QDateTime EndTime() const { return end_; }
    TKDDSample Sample(int i) const;
    QDateTime SampleTime(int i) const;
    // Whole kilometres driven between two times (clamped to the series), halves to even.
    int64_t DistanceKm(const QDateTime& from, const QDateTime& to) const;

    // Raw fields of the section header, for inspection.
    uint32_t SectionOffset() const { return sectionOffset_; }
    uint32_t SectionSize() const;
    uint8_t IntervalCode() const;
    uint8_t SampleSizeField() const;
    uint8_t SecondTank() const;
    uint8_t SpeedType() const;
    uint8_t TachType() const;
    uint32_t Tank1Vol() const;
    uint32_t Tank2Vol() const;
    uint32_t MaxIdleRPM() const;
    QString Signature() const;
    uint32_t Version() const;
    QString StoredFileName() const;
    // A 32-bit field of the 104-byte file header (offsets 64, 68, 72, 76: header and data places).
    uint32_t FileU32(int at) const;

private:
    const uint8_t* section(int at) const;

    QByteArray content_;
    TKDDData samples_;
    QDateTime start_;
    QDateTime end_;
    uint32_t sectionOffset_ = 0;
    int interval_ = 60;
    bool loaded_ = false;
};
