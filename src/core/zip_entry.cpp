#include "zip_entry.h"

#include <QFile>
#include <memory>
#include <zip.h>

namespace zipentry {
namespace {

struct ArchiveCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct FileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using EntryFile = std::unique_ptr<zip_file_t, FileCloser>;

Archive openFromMemory(const QByteArray& bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (!src) {
        zip_error_fini(&error);
        return nullptr;
    }
    zip_t* z = zip_open_from_source(src, ZIP_RDONLY, &error);
    if (!z) zip_source_free(src);
    zip_error_fini(&error);
    return Archive(z);
}

// Reads the whole entry without trusting its stated size: at most limit + 1 bytes are taken.
ReadResult readAll(zip_file_t* f, qint64 limit, QByteArray* content)
{
    QByteArray out;
    char chunk[64 * 1024];
    for (;;) {
        const zip_int64_t got = zip_fread(f, chunk, sizeof chunk);
        if (got < 0) return ReadResult::ReadError;
        if (got == 0) break;
        if (out.size() + got > limit) return ReadResult::TooLarge;
        out.append(chunk, qsizetype(got));
    }
    *content = std::move(out);
    return ReadResult::Ok;
}

}  // namespace

ReadResult ReadEntry(const QByteArray& archive, const char* name, QByteArray* content, qint64 limit)
{
    Archive z = openFromMemory(archive);
    if (!z) return ReadResult::NoArchive;
    const zip_int64_t index = zip_name_locate(z.get(), name, 0);
    if (index < 0) return ReadResult::NoEntry;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(z.get(), zip_uint64_t(index), 0, &st) != 0) return ReadResult::ReadError;
    if ((st.valid & ZIP_STAT_SIZE) && st.size > zip_uint64_t(limit)) return ReadResult::TooLarge;
    EntryFile f(zip_fopen_index(z.get(), zip_uint64_t(index), 0));
    if (!f) return ReadResult::ReadError;
    return readAll(f.get(), limit, content);
}

ReadResult ReadFileEntry(const QString& path, const char* name, QByteArray* content, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ReadResult::NoArchive;
    // A stored entry takes its own size plus a few headers; anything much larger is no file of ours.
    if (file.size() > limit + 1024 * 1024) return ReadResult::TooLarge;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) return ReadResult::ReadError;
    return ReadEntry(bytes, name, content, limit);
}

bool WriteFileEntry(const QString& path, const char* name, const QByteArray& content)
{
    int error = 0;
    Archive z(zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!z) return false;
    zip_source_t* src = zip_source_buffer(z.get(), content.constData(), zip_uint64_t(content.size()), 0);
    if (!src) return false;
    if (zip_file_add(z.get(), name, src, ZIP_FL_ENC_GUESS) < 0) {
        zip_source_free(src);
        return false;
    }
    // zip_close writes the archive and frees it; on failure the handle stays ours to discard.
    if (zip_close(z.get()) != 0) return false;
    z.release();
    return true;
}

}  // namespace zipentry
