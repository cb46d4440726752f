#pragma once
// Protocol and car files are ZIP archives holding one named entry. Reading is bounded: an entry
// that claims or inflates to more than the limit is refused, so a hostile archive cannot make the
// program allocate without bound.
#include <QByteArray>
#include <QString>

namespace zipentry {

// Entries larger than this are no protocol or car description of ours.
constexpr qint64 kMaxEntrySize = 64ll * 1024 * 1024;

enum class ReadResult { Ok, NoArchive, NoEntry, TooLarge, ReadError };

// Reads the entry `name` of the archive held in `archive`.
ReadResult ReadEntry(const QByteArray& archive, const char* name, QByteArray* content,
                     qint64 limit = kMaxEntrySize);
// Reads the archive file (refused when the file itself is larger than the limit) and its entry.
ReadResult ReadFileEntry(const QString& path, const char* name, QByteArray* content, qint64 limit = kMaxEntrySize);

// Writes a new archive at path (an existing file is replaced) holding one entry with the default
// compression. False on any error.
bool WriteFileEntry(const QString& path, const char* name, const QByteArray& content);

}  // namespace zipentry
