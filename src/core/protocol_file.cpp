#include "protocol_file.h"

#include "byte_fields.h"
#include "crc32.h"
#include "file_name.h"
#include "interaction.h"
#include "zip_entry.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>

using namespace blockio;

namespace {
const QString kSizeError = QStringLiteral("E1744: Ошибка размера файла протокола!!");
const QString kIntegrityError = QStringLiteral("E1745: Ошибка целостности файла!");
const QString kVersionError = QStringLiteral(
    "E1746: Версия типа файла новее версий, поддерживаемых вашей программой.\r\n"
    "Файл создан программой, имеющей более новую версию.\r\n"
    "Для открытия данного файла требуется новая версия программы!");
const QString kReadError = QStringLiteral("E1747: Ошибка при чтении данных!");
constexpr int kRecordSize = int(sizeof(TProtokolRecord));
}  // namespace

QByteArray BuildProtocolEntry(const TProtokolRecords& records, const TOrderHeader& header, uint32_t kind)
{
    const qsizetype recordBytes = qsizetype(records.size()) * kRecordSize;
    QByteArray entry(kpr::kMinEntrySize + recordBytes, '\0');
    auto* p = reinterpret_cast<uint8_t*>(entry.data());
    std::memcpy(p, ".KPR", 4);
    PutU32(p + 4, kpr::kVersion);
    PutU32(p + 8, uint32_t(records.size()));
    PutU32(p + 12, records.empty() ? 0 : Crc32Update(0, records.data(), size_t(recordBytes)));
    PutU32(p + 16, kind);
    std::memcpy(p + kpr::kHeadSize, header.data(), hdr::kSize);
    if (recordBytes > 0) std::memcpy(p + kpr::kMinEntrySize, records.data(), size_t(recordBytes));
    return entry;
}

bool SaveProtocolFile(const TProtokolRecords& records, const TOrderHeader& header, const QString& directory,
                      uint32_t kind, QString* path)
{
    if (path) path->clear();
    if (kind != kpr::kOrder && kind != kpr::kCalibration) return false;
    if (directory.isEmpty() || !QDir(directory).exists()) return false;
    const QString ext = kind == kpr::kOrder ? ".kpr" : ".kpg";
    const QString target = MakeFileName(header.CarNumber(), directory, ext, QDate::currentDate());
    if (target.isEmpty()) return false;
    if (!zipentry::WriteFileEntry(target, kpr::kEntryName, BuildProtocolEntry(records, header, kind))) return false;
    if (path) *path = target;
    return true;
}

bool ReadProtocolHead(const QByteArray& entry, TProtocolHead* head)
{
    if (entry.size() < kpr::kHeadSize) return false;
    const auto* p = reinterpret_cast<const uint8_t*>(entry.constData());
    head->signature = QString::fromLatin1(entry.left(4));
    head->version = U32(p + 4);
    head->count = U32(p + 8);
    head->recordCrc = U32(p + 12);
    head->kind = U32(p + 16);
    return true;
}

bool ParseProtocolEntry(const QByteArray& entry, TOrderHeader* header, TProtokolRecords* records, Interaction& ui)
{
    if (entry.size() < kpr::kMinEntrySize) {
        ui.error(kSizeError);
        return false;
    }
    TProtocolHead head;
    ReadProtocolHead(entry, &head);
    const uint64_t expected = uint64_t(kpr::kMinEntrySize) + uint64_t(kRecordSize) * head.count;
    if (!entry.startsWith(".KPR") || uint64_t(entry.size()) != expected) {
        ui.error(kIntegrityError);
        return false;
    }
    if (head.version > kpr::kVersion) {
        ui.error(kVersionError);
        return false;
    }
    if (header) header->Assign(entry.constData() + kpr::kHeadSize, hdr::kSize);
    if (records) {
        records->resize(head.count);
        if (head.count > 0)
            std::memcpy(records->data(), entry.constData() + kpr::kMinEntrySize, size_t(head.count) * kRecordSize);
    }
    return true;
}

bool LoadProtocolFile(const QString& path, TOrderHeader* header, TProtokolRecords* records, Interaction& ui)
{
    if (!header || !QFileInfo(path).isFile()) return false;
    QByteArray entry;
    switch (zipentry::ReadFileEntry(path, kpr::kEntryName, &entry)) {
    case zipentry::ReadResult::Ok: return ParseProtocolEntry(entry, header, records, ui);
    case zipentry::ReadResult::TooLarge: ui.error(kIntegrityError); return false;
    default: ui.error(kReadError); return false;
    }
}

void CleanOldProtocolFiles(const QString& directory, int periodDays, const QDateTime& now)
{
    if (directory.isEmpty()) return;
    const QFileInfoList files = QDir(directory).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& f : files) {
        if (f.suffix().toLower() != "kpr") continue;
        const qint64 ageDays = f.lastModified().secsTo(now) / 86400;
        if (periodDays <= 0 || ageDays >= periodDays) QFile::remove(f.filePath());
    }
}
