#include "archive_test_util.h"
#include "crc32.h"
#include "protocol_file.h"
#include "scripted_interaction.h"
#include "temp_dir.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
const QString kE1744 = "E1744: Ошибка размера файла протокола!!";
const QString kE1745 = "E1745: Ошибка целостности файла!";
const QString kE1747 = "E1747: Ошибка при чтении данных!";

TOrderHeader header()
{
    TOrderHeader h;
    h.SetRecordType(2);
    h.SetCarNumber("B456KM");
    h.SetRegSerNum("1.02.0304.E-0000012.1");
    h.Seal();
    return h;
}

TProtokolRecords records(int n)
{
    TProtokolRecords r(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < 12; ++k) r[size_t(i)].b[size_t(k)] = uint8_t(i * 12 + k);
    return r;
}

QString archiveWith(const TestDir& dir, const char* entryName, const QByteArray& content)
{
    const QString path = dir.file("hostile.kpr");
    QFile::remove(path);
    EXPECT_TRUE(zipentry::WriteFileEntry(path, entryName, content));
    return path;
}
}  // namespace

TEST(ProtocolFile, RecordsAndHeaderRoundTrip)
{
    TestDir dir;
    QString path;
    ASSERT_TRUE(SaveProtocolFile(records(100), header(), dir.path(), kpr::kOrder, &path));
    EXPECT_TRUE(path.endsWith("_B456KM__.kpr"));
    EXPECT_TRUE(unzipAccepts(path));

    const QByteArray entry = entryOf(path, "KPR");
    TProtocolHead head;
    ASSERT_TRUE(ReadProtocolHead(entry, &head));
    EXPECT_EQ(head.signature, ".KPR");
    EXPECT_EQ(head.version, 256u);
    EXPECT_EQ(head.count, 100u);
    EXPECT_EQ(head.kind, 0u);
    EXPECT_EQ(entry.size(), 8480 + 1200);

    ScriptedInteraction ui;
    TOrderHeader h;
    TProtokolRecords r;
    ASSERT_TRUE(LoadProtocolFile(path, &h, &r, ui));
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(h, header());
    ASSERT_EQ(r.size(), 100u);
    EXPECT_EQ(r[99].b, records(100)[99].b);
    // A second save of the same car on the same day gets the next name.
    QString second;
    ASSERT_TRUE(SaveProtocolFile(records(1), header(), dir.path(), kpr::kOrder, &second));
    EXPECT_TRUE(second.endsWith("_B456KM___000.kpr"));
}

TEST(ProtocolFile, EmptyProtocolAndCalibrationKind)
{
    TestDir dir;
    QString path;
    ASSERT_TRUE(SaveProtocolFile({}, header(), dir.path(), kpr::kCalibration, &path));
    EXPECT_TRUE(path.endsWith(".kpg"));
    EXPECT_TRUE(unzipAccepts(path));
    const QByteArray entry = entryOf(path, "KPR");
    EXPECT_EQ(entry.size(), 8480);
    TProtocolHead head;
    ReadProtocolHead(entry, &head);
    EXPECT_EQ(head.recordCrc, 0u);
    EXPECT_EQ(head.kind, 1u);

    ScriptedInteraction ui;
    TOrderHeader h;
    TProtokolRecords r = records(3);
    ASSERT_TRUE(LoadProtocolFile(path, &h, &r, ui));
    EXPECT_TRUE(r.empty());
    EXPECT_TRUE(h.IsIntact());
}

TEST(ProtocolFile, SaveRefusesWrongKindOrDirectory)
{
    TestDir dir;
    EXPECT_FALSE(SaveProtocolFile({}, header(), dir.path(), 2));
    EXPECT_FALSE(SaveProtocolFile({}, header(), dir.file("missing"), kpr::kOrder));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(ProtocolFile, RecordCheckValueCoversTheRecordBytes)
{
    const TProtokolRecords r = records(3);
    QByteArray entry = BuildProtocolEntry(r, header(), 0);
    TProtocolHead head;
    ReadProtocolHead(entry, &head);
    EXPECT_EQ(head.recordCrc, Crc32Update(0, r.data(), 36));
}

TEST(ProtocolFile, HostileEntriesGiveTheirMessages)
{
    const QByteArray good = BuildProtocolEntry(records(2), header(), 0);
    auto withU32 = [&](qsizetype at, uint32_t v) {
        QByteArray b = good;
        putU32(b, at, v);
        return b;
    };
    QByteArray wrongSignature = good;
    wrongSignature[1] = 'X';
    struct Case {
        const char* what;
        QByteArray entry;
        QString message;  // empty: loads
    };
    const QString kE1746 = QStringLiteral(
        "E1746: Версия типа файла новее версий, поддерживаемых вашей программой.\r\n"
        "Файл создан программой, имеющей более новую версию.\r\n"
        "Для открытия данного файла требуется новая версия программы!");
    const Case cases[] = {
        {"shorter than a header", good.left(8479), kE1744},
        {"empty entry", QByteArray(), kE1744},
        {"one byte too long", good + '\0', kE1745},
        {"one record missing", good.left(good.size() - 12), kE1745},
        {"count past the end", withU32(8, 0xFFFFFFFFu), kE1745},
        {"count wrapping in 32 bits", withU32(8, 0x40000000u), kE1745},
        {"wrong signature", wrongSignature, kE1745},
        {"version 257", withU32(4, 257), kE1746},
        {"version 256", withU32(4, 256), {}},
        {"version 1", withU32(4, 1), {}},
    };
    TestDir dir;
    for (const auto& c : cases) {
        ScriptedInteraction ui;
        TOrderHeader h;
        TProtokolRecords r;
        const bool ok = LoadProtocolFile(archiveWith(dir, "KPR", c.entry), &h, &r, ui);
        EXPECT_EQ(ok, c.message.isEmpty()) << c.what;
        EXPECT_EQ(ui.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.what;
    }
}

TEST(ProtocolFile, BrokenArchivesAndBombs)
{
    TestDir dir;
    struct Case {
        const char* what;
        QString path;
        QString message;
    };
    const QString notZip = dir.file("text.kpr");
    writeRaw(notZip, "this is not an archive");
    const QString truncated = dir.file("truncated.kpr");
    ASSERT_TRUE(SaveProtocolFile(records(50), header(), dir.path(), kpr::kOrder));
    {
        const QString saved = QDir(dir.path()).entryInfoList({"*.kpr"}, QDir::Files).value(0).filePath();
        QFile f(saved);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        writeRaw(truncated, f.readAll().left(200));
    }
    const QString noEntry = dir.file("noentry.kpr");
    ASSERT_TRUE(zipentry::WriteFileEntry(noEntry, "KCR", BuildProtocolEntry({}, header(), 0)));
    const QString bomb = dir.file("bomb.kpr");
    ASSERT_TRUE(zipentry::WriteFileEntry(bomb, "KPR", QByteArray(zipentry::kMaxEntrySize + 1, '\0')));
    EXPECT_LT(QFileInfo(bomb).size(), 1024 * 1024);  // a small file that inflates past the bound

    const Case cases[] = {
        {"not a ZIP", notZip, kE1747},
        {"truncated ZIP", truncated, kE1747},
        {"ZIP without the entry", noEntry, kE1747},
        {"entry above 64 MiB", bomb, kE1745},
    };
    for (const auto& c : cases) {
        ScriptedInteraction ui;
        TOrderHeader h;
        EXPECT_FALSE(LoadProtocolFile(c.path, &h, nullptr, ui)) << c.what;
        EXPECT_EQ(ui.texts(), QStringList{c.message}) << c.what;
    }
    // A missing file or no header buffer: false without a message.
    ScriptedInteraction ui;
    TOrderHeader h;
    EXPECT_FALSE(LoadProtocolFile(dir.file("missing.kpr"), &h, nullptr, ui));
    EXPECT_FALSE(LoadProtocolFile(noEntry, nullptr, nullptr, ui));
    EXPECT_TRUE(ui.messages().empty());
}

TEST(ProtocolFile, BombWithLyingSizesIsStoppedAtTheBound)
{
    // The directory claims a small entry while the data inflates far beyond it.
    TestDir dir;
    const QString path = dir.file("liar.kpr");
    ASSERT_TRUE(zipentry::WriteFileEntry(path, "KPR", QByteArray(zipentry::kMaxEntrySize + 4096, '\0')));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray zip = f.readAll();
    f.close();
    const qsizetype local = zip.indexOf("PK\x03\x04");
    const qsizetype central = zip.indexOf("PK\x01\x02");
    ASSERT_GE(local, 0);
    ASSERT_GT(central, 0);
    putU32(zip, local + 22, 8480);
    putU32(zip, central + 24, 8480);
    writeRaw(path, zip);

    QByteArray content;
    const auto result = zipentry::ReadFileEntry(path, "KPR", &content);
    EXPECT_NE(result, zipentry::ReadResult::Ok);
    EXPECT_LE(content.size(), zipentry::kMaxEntrySize);
    ScriptedInteraction ui;
    TOrderHeader h;
    EXPECT_FALSE(LoadProtocolFile(path, &h, nullptr, ui));
    EXPECT_EQ(ui.texts().size(), 1);
}

TEST(ProtocolFile, CleanOldDeletesOnlyOldOrderProtocols)
{
    TestDir dir;
    const QDateTime now(QDate(2025, 6, 10), QTime(12, 0));
    struct File {
        const char* name;
        int ageDays;
    };
    const File files[] = {{"old.kpr", 10}, {"OLD2.KPR", 7}, {"young.kpr", 6}, {"calib.kpg", 30}, {"other.txt", 30}};
    auto create = [&] {
        for (const auto& f : files) {
            const QString path = dir.file(f.name);
            writeRaw(path, "x");
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(now.addSecs(-86400ll * f.ageDays - 60), QFileDevice::FileModificationTime));
        }
    };
    create();
    CleanOldProtocolFiles(dir.path(), 7, now);
    QStringList left = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(left, (QStringList{"calib.kpg", "other.txt", "young.kpr"}));

    create();
    CleanOldProtocolFiles(dir.path(), 0, now);
    left = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(left, (QStringList{"calib.kpg", "other.txt"}));
    CleanOldProtocolFiles(dir.file("missing"), 0, now);  // no directory: nothing happens
}
