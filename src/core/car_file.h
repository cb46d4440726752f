#pragma once
// The car description file (.kcr): a ZIP archive with one entry "KCR", a 32-byte head followed by
// the car description record, an 8448-byte block in the layout of the order header.
#include "order_header.h"

#include <QByteArray>
#include <QString>

class Interaction;

namespace kcr {
constexpr int kHeadSize = 32;
constexpr int kMinEntrySize = kHeadSize + hdr::kSize;  // 8480
constexpr uint32_t kVersion = 512;
constexpr const char* kEntryName = "KCR";
}  // namespace kcr

// The entry content: head with its own check value, then the block.
QByteArray BuildCarEntry(const TOrderHeader& block);
// Writes the archive at path (an existing file is replaced). False on an empty path or any error.
bool SaveCarFile(const TOrderHeader& block, const QString& path);
// Reads the block of a car file; a missing file gives false without a message, everything else
// wrong is reported through ui with the "E: ..." messages.
bool LoadCarFile(const QString& path, TOrderHeader* block, Interaction& ui);
// The checks of LoadCarFile on an entry's content already taken from its archive.
bool ParseCarEntry(const QByteArray& entry, TOrderHeader* block, Interaction& ui);
