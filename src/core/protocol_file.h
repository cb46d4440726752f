#pragma once
// Protocol files keep the raw protocol of a carrier as it was read: ".kpr" for an order read,
// ".kpg" for a calibration run. Both are ZIP archives with one entry "KPR": a 32-byte head, the
// carrier header and the 12-byte records.
#include "order_header.h"
#include "protokol_record.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class Interaction;

namespace kpr {
constexpr int kHeadSize = 32;
constexpr int kMinEntrySize = kHeadSize + hdr::kSize;  // 8480
constexpr uint32_t kVersion = 256;
constexpr const char* kEntryName = "KPR";
enum Kind : uint32_t { kOrder = 0, kCalibration = 1 };
}  // namespace kpr

// The entry content of a protocol file.
QByteArray BuildProtocolEntry(const TProtokolRecords& records, const TOrderHeader& header, uint32_t kind);

// Writes a new ".kpr" (kind 0) or ".kpg" (kind 1) file, named by MakeFileName from the header's car
// number and today, into an existing directory. The path written is returned through path. False
// on a wrong kind, a missing directory, no free name or any write error; no message here.
bool SaveProtocolFile(const TProtokolRecords& records, const TOrderHeader& header, const QString& directory,
                      uint32_t kind, QString* path = nullptr);

// Reads a protocol file of either kind into header and, when given, records. A missing file gives
// false without a message; everything else wrong is reported through ui (E1744 ... E1747).
bool LoadProtocolFile(const QString& path, TOrderHeader* header, TProtokolRecords* records, Interaction& ui);

// The checks of LoadProtocolFile on an entry's content already taken from its archive.
bool ParseProtocolEntry(const QByteArray& entry, TOrderHeader* header, TProtokolRecords* records, Interaction& ui);

// The head fields of a protocol entry, for inspection (no checks beyond the size of the head).
struct TProtocolHead {
    QString signature;
    uint32_t version = 0;
    uint32_t count = 0;
    uint32_t recordCrc = 0;
    uint32_t kind = 0;
};
bool ReadProtocolHead(const QByteArray& entry, TProtocolHead* head);

// Deletes the order protocol files (".kpr" in any letter case) of directory whose modification
// lies periodDays or more whole days before now; with periodDays 0 every one of them. Calibration
// protocols (".kpg") and everything else stay. Errors are ignored. Call it once at start-up with
// AppConfig().ProtPath and AppConfig().PeriodSaveProt.
void CleanOldProtocolFiles(const QString& directory, int periodDays, const QDateTime& now = QDateTime::currentDateTime());
