#include "kdd_file.h"

#include "byte_fields.h"
#include "cp1251.h"
#include "file_name.h"
#include "interaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cmath>
#include <cstring>

using namespace blockio;

namespace {

// Minute, hour, day, month, year - 2000; a year outside 2000 ... 2255 is clamped into it.
void putTime(uint8_t* at, const QDateTime& t)
{
    if (!t.isValid()) return;
    at[0] = uint8_t(t.time().minute());
    at[1] = uint8_t(t.time().hour());
    at[2] = uint8_t(t.date().day());
    at[3] = uint8_t(t.date().month());
    at[4] = uint8_t(std::clamp(t.date().year() - 2000, 0, 255));
}

QDateTime readTime(const uint8_t* at)
{
    const QDate d(2000 + at[4], at[3], at[2]);
    const QTime t(at[1], at[0]);
    if (!d.isValid() || !t.isValid()) return {};
    return QDateTime(d, t);
}

QByteArray sectionHeader(const TOrderHeader& header, uint32_t n, const QDateTime& start, const QDateTime& end)
{
    QByteArray s(kdd::kSectionHeaderSize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(s.data());
    PutU32(p + 0, uint32_t(kdd::kSectionHeaderSize + uint64_t(kdd::kSampleSize) * n));
    PutU32(p + 4, 1);
    putTime(p + 12, start);
    putTime(p + 17, end);
    PutU16(p + 22, uint16_t(n & 0xFFFF));
    PutU32(p + 24, kdd::kSectionHeaderSize);
    p[28] = 2;  // one sample a minute
    p[29] = kdd::kSampleSize;
    p[30] = header.CarTank2Vol() > 0 ? 1 : 0;
    p[31] = header.CarSpeedType();
    p[32] = header.CarTachType();
    PutU16(p + 34, uint16_t(n >> 16));
    PutU32(p + 36, header.CarTank1Vol());
    PutU32(p + 40, header.CarTank2Vol());
    PutU32(p + 44, header.CarMaxIdleRPM());
    return s;
}

QByteArray fileHeader(uint32_t n, const QString& fileName)
{
    QByteArray f(kdd::kFileHeaderSize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(f.data());
    std::memcpy(p, ".KDD", 4);
    PutU32(p + 4, kdd::kVersion);
    const QByteArray name = ToCp1251(fileName).left(32);
    std::memcpy(p + 8, name.constData(), size_t(name.size()));
    PutU32(p + 64, kdd::kFileHeaderSize);
    PutU32(p + 68, hdr::kSize);
    PutU32(p + 72, kdd::kSectionOffset);
    PutU32(p + 76, uint32_t(kdd::kSectionHeaderSize + uint64_t(kdd::kSampleSize) * n));
    return f;
}

}  // namespace

QByteArray BuildDataFileImage(const TOrderHeader& header, const TKDDData& samples, const QDateTime& startTime,
                              const QDateTime& endTime, const QString& fileName)
{
    const auto n = uint32_t(samples.size());
    QByteArray image = fileHeader(n, fileName);
    image.reserve(kdd::kSectionOffset + kdd::kSectionHeaderSize + qsizetype(samples.size()) * kdd::kSampleSize);
    image.append(reinterpret_cast<const char*>(header.data()), hdr::kSize);
    image.append(sectionHeader(header, n, startTime, endTime));
    image.append(reinterpret_cast<const char*>(samples.data()), qsizetype(samples.size()) * kdd::kSampleSize);
    return image;
}

bool SaveDataFile(const QString& directory, const TOrderHeader& header, const TKDDData& samples, QByteArray* stream,
                  const QDateTime& startTime, const QDateTime& endTime, QString* path)
{
    if (path) path->clear();
    if (stream) {
        *stream = BuildDataFileImage(header, samples, startTime, endTime);
        return true;
    }
    if (directory.isEmpty() || !QDir(directory).exists()) return false;
    const QString target = MakeFileName(header.CarNumber(), directory, ".kdd", QDate::currentDate());
    if (target.isEmpty()) return false;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray image = BuildDataFileImage(header, samples, startTime, endTime, QFileInfo(target).fileName());
    if (file.write(image) != image.size() || !file.commit()) return false;
    if (path) *path = target;
    return true;
}

TKDDFile::TKDDFile(const QString& path, Interaction* ui)
{
    QFile file(path);
    if (!file.exists()) return;
    const qint64 size = file.size();
    QByteArray image;
    if (size <= kdd::kMaxFileSize && file.open(QIODevice::ReadOnly)) image = file.readAll();
    if (image.size() != size || size > kdd::kMaxFileSize || !LoadImage(image)) {
        if (ui) ui->error(QStringLiteral("E2002: Ошибка чтения файла!"));
    }
}

bool TKDDFile::LoadImage(const QByteArray& image)
{
    *this = TKDDFile();
    const auto size = uint64_t(image.size());
    if (size < uint64_t(kdd::kFileHeaderSize) + hdr::kSize) return false;
    const auto* p = reinterpret_cast<const uint8_t*>(image.constData());
    const uint64_t sec = U32(p + 72);
    if (sec + kdd::kSectionHeaderSize > size) return false;
    const uint8_t* s = p + sec;
    uint64_t n = U16(s + 22);
    if (U32(s + 4) != 0) n += uint64_t(U16(s + 34)) << 16;
    const uint64_t first = sec + U32(s + 24);
    if (first > size || n > (size - first) / kdd::kSampleSize) return false;

    content_ = image;
    sectionOffset_ = uint32_t(sec);
    samples_.resize(size_t(n));
    for (uint64_t i = 0; i < n; ++i) {
        TKDDSample stored;
        std::memcpy(&stored, p + first + i * kdd::kSampleSize, sizeof stored);
        TKDDSample& out = samples_[size_t(i)];
        out.Flags = stored.Flags;
        out.Speed = stored.Speed;
        out.PathStep = stored.PathStep;
        out.Path = stored.Path;
        out.Tank1 = stored.Tank1;
        out.Tank2 = stored.Tank2;
        out.RPM = stored.RPM;
        out.UBoard = stored.UBoard;
        out.Temp = stored.Temp;
    }
    switch (s[28]) {
    case 0: interval_ = 10; break;
    case 1: interval_ = 30; break;
    case 3: interval_ = 90; break;
    default: interval_ = 60; break;
    }
    start_ = readTime(s + 12);
    end_ = readTime(s + 17);
    loaded_ = true;
    return true;
}

TOrderHeader TKDDFile::Header() const
{
    if (!loaded_) return {};
    return TOrderHeader::FromBytes(content_.constData() + kdd::kFileHeaderSize, hdr::kSize);
}

TKDDSample TKDDFile::Sample(int i) const
{
    return i >= 0 && i < Count() ? samples_[size_t(i)] : TKDDSample{};
}

QDateTime TKDDFile::SampleTime(int i) const
{
    return start_.isValid() ? start_.addSecs(qint64(i) * interval_) : QDateTime();
}

int64_t TKDDFile::DistanceKm(const QDateTime& from, const QDateTime& to) const
{
    if (!start_.isValid() || !end_.isValid() || !from.isValid() || !to.isValid()) return 0;
    const QDateTime upper = std::max(start_, end_);
    const auto index = [&](const QDateTime& t) {
        const QDateTime c = std::clamp(t, start_, upper);
        return int64_t(std::nearbyint(double(start_.secsTo(c)) / interval_));  // halves to even
    };
    const int64_t first = index(from);
    const int64_t last = std::min<int64_t>(index(to), Count() - 1);  // samples beyond the series count 0
    uint64_t sum = 0;
    for (int64_t i = first; i <= last; ++i) sum += samples_[size_t(i)].PathStep;
    return int64_t(std::nearbyint(double(sum) / 1000.0));
}

const uint8_t* TKDDFile::section(int at) const
{
    static const uint8_t zeros[kdd::kSectionHeaderSize] = {};
    if (!loaded_) return zeros + at;
    return reinterpret_cast<const uint8_t*>(content_.constData()) + sectionOffset_ + at;
}

uint32_t TKDDFile::SectionSize() const { return U32(section(0)); }
uint8_t TKDDFile::IntervalCode() const { return *section(28); }
uint8_t TKDDFile::SampleSizeField() const { return *section(29); }
uint8_t TKDDFile::SecondTank() const { return *section(30); }
uint8_t TKDDFile::SpeedType() const { return *section(31); }
uint8_t TKDDFile::TachType() const { return *section(32); }
uint32_t TKDDFile::Tank1Vol() const { return U32(section(36)); }
uint32_t TKDDFile::Tank2Vol() const { return U32(section(40)); }
uint32_t TKDDFile::MaxIdleRPM() const { return U32(section(44)); }

QString TKDDFile::Signature() const
{
    return loaded_ ? QString::fromLatin1(content_.left(4)) : QString();
}

uint32_t TKDDFile::Version() const
{
    return loaded_ ? U32(reinterpret_cast<const uint8_t*>(content_.constData()) + 4) : 0;
}

QString TKDDFile::StoredFileName() const
{
    if (!loaded_) return {};
    const QByteArray field = content_.mid(8, 32);
    const qsizetype zero = field.indexOf('\0');
    return FromCp1251(zero < 0 ? field : field.left(zero));
}

uint32_t TKDDFile::FileU32(int at) const
{
    if (!loaded_ || at < 0 || at + 4 > kdd::kFileHeaderSize) return 0;
    return U32(reinterpret_cast<const uint8_t*>(content_.constData()) + at);
}
