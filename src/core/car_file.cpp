#include "car_file.h"

#include "byte_fields.h"
#include "crc32.h"
#include "interaction.h"
#include "zip_entry.h"

#include <QFileInfo>
#include <cstring>

using namespace blockio;

namespace {
const QString kSizeError = QStringLiteral("E: Ошибка размера файла описания автомобиля!!");
const QString kIntegrityError = QStringLiteral("E: Ошибка целостности файла!");
const QString kVersionError = QStringLiteral(
    "E: Версия типа файла новее версий, поддерживаемых вашей программой.\r\n"
    "Файл создан программой, имеющей более новую версию.\r\n"
    "Для открытия данного файла требуется новая версия программы!");
const QString kReadError = QStringLiteral("E: Ошибка при чтении данных!");
}  // namespace

QByteArray BuildCarEntry(const TOrderHeader& block)
{
    QByteArray entry(kcr::kMinEntrySize, '\0');
    auto* p = reinterpret_cast<uint8_t*>(entry.data());
    std::memcpy(p, ".KCA", 4);
    PutU32(p + 4, kcr::kVersion);
    PutU32(p + 12, Crc32Update(0, p, kcr::kHeadSize));  // computed while the field is 0
    std::memcpy(p + kcr::kHeadSize, block.data(), hdr::kSize);
    return entry;
}

bool SaveCarFile(const TOrderHeader& block, const QString& path)
{
    if (path.isEmpty()) return false;
    return zipentry::WriteFileEntry(path, kcr::kEntryName, BuildCarEntry(block));
}

bool ParseCarEntry(const QByteArray& entry, TOrderHeader* block, Interaction& ui)
{
    if (entry.size() < kcr::kMinEntrySize) {
        ui.error(kSizeError);
        return false;
    }
    if (!entry.startsWith(".KCA")) {
        ui.error(kIntegrityError);
        return false;
    }
    if (U32(reinterpret_cast<const uint8_t*>(entry.constData()) + 4) > kcr::kVersion) {
        ui.error(kVersionError);
        return false;
    }
    if (block) block->Assign(entry.constData() + kcr::kHeadSize, hdr::kSize);
    return true;
}

bool LoadCarFile(const QString& path, TOrderHeader* block, Interaction& ui)
{
    if (!block || !QFileInfo(path).isFile()) return false;
    QByteArray entry;
    switch (zipentry::ReadFileEntry(path, kcr::kEntryName, &entry)) {
    case zipentry::ReadResult::Ok: return ParseCarEntry(entry, block, ui);
    case zipentry::ReadResult::TooLarge: ui.error(kIntegrityError); return false;
    default: ui.error(kReadError); return false;
    }
}
