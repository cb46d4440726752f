#pragma once
// Helpers for tests of the ZIP-based files: read an entry back, write hostile archives, run unzip -t.
#include "zip_entry.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

inline QByteArray entryOf(const QString& path, const char* name)
{
    QByteArray content;
    EXPECT_EQ(zipentry::ReadFileEntry(path, name, &content), zipentry::ReadResult::Ok);
    return content;
}

// True when unzip is missing (the check is skipped) or `unzip -t` accepts the archive.
inline bool unzipAccepts(const QString& path)
{
    if (QStandardPaths::findExecutable("unzip").isEmpty()) return true;
    QProcess p;
    p.start("unzip", {"-tq", path});
    p.waitForFinished(30000);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

inline void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

inline void putU32(QByteArray& b, qsizetype at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = char(v >> (8 * i));
}
