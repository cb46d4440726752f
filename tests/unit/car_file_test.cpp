#include "archive_test_util.h"
#include "car_file.h"
#include "crc32.h"
#include "scripted_interaction.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace {
TOrderHeader carBlock()
{
    TOrderHeader h;
    h.SetRecordType(2);
    h.SetRegSerNum("1.01.0001.9-0000001.2");
    h.SetCarNumber(QString::fromUtf8("Е001КХ"));
    h.SetCarGSM(31.5L);
    h.SetTempPoints({{100, 2000, 1200}, {200, 4000, 1200}});
    h.Seal();
    return h;
}
}  // namespace

TEST(CarFile, BlockRoundTripsAndTheHeadCarriesItsOwnCheck)
{
    TestDir dir;
    const QString path = dir.file("car.kcr");
    ASSERT_TRUE(SaveCarFile(carBlock(), path));
    EXPECT_TRUE(unzipAccepts(path));
    QByteArray entry = entryOf(path, "KCR");
    ASSERT_EQ(entry.size(), 8480);
    EXPECT_TRUE(entry.startsWith(".KCA"));
    QByteArray head = entry.left(32);
    const uint32_t stored = uint8_t(head[12]) | uint8_t(head[13]) << 8 | uint8_t(head[14]) << 16 | uint32_t(uint8_t(head[15])) << 24;
    putU32(head, 12, 0);
    EXPECT_EQ(stored, Crc32Update(0, head.constData(), 32));

    ScriptedInteraction ui;
    TOrderHeader block;
    ASSERT_TRUE(LoadCarFile(path, &block, ui));
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(block, carBlock());
    EXPECT_EQ(block.CarNumber(), QString::fromUtf8("Е001КХ"));
    EXPECT_FALSE(SaveCarFile(carBlock(), QString()));
}

TEST(CarFile, HostileFilesGiveTheirMessages)
{
    const QByteArray good = BuildCarEntry(carBlock());
    QByteArray wrongSignature = good;
    wrongSignature[3] = 'R';
    QByteArray version513 = good;
    putU32(version513, 4, 513);
    QByteArray version512Longer = good + QByteArray(100, 'x');
    const QString kVersion = QStringLiteral(
        "E: Версия типа файла новее версий, поддерживаемых вашей программой.\r\n"
        "Файл создан программой, имеющей более новую версию.\r\n"
        "Для открытия данного файла требуется новая версия программы!");
    struct Case {
        const char* what;
        const char* entryName;
        QByteArray entry;
        QString message;
    };
    const Case cases[] = {
        {"short entry", "KCR", good.left(8479), "E: Ошибка размера файла описания автомобиля!!"},
        {"wrong signature", "KCR", wrongSignature, "E: Ошибка целостности файла!"},
        {"version 513", "KCR", version513, kVersion},
        {"no KCR entry", "KPR", good, "E: Ошибка при чтении данных!"},
        {"longer entry loads", "KCR", version512Longer, {}},
    };
    TestDir dir;
    for (const auto& c : cases) {
        const QString path = dir.file("x.kcr");
        QFile::remove(path);
        ASSERT_TRUE(zipentry::WriteFileEntry(path, c.entryName, c.entry));
        ScriptedInteraction ui;
        TOrderHeader block;
        EXPECT_EQ(LoadCarFile(path, &block, ui), c.message.isEmpty()) << c.what;
        EXPECT_EQ(ui.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.what;
    }
    const QString bomb = dir.file("bomb.kcr");
    ASSERT_TRUE(zipentry::WriteFileEntry(bomb, "KCR", QByteArray(zipentry::kMaxEntrySize + 1, '\0')));
    ScriptedInteraction ui;
    TOrderHeader block;
    EXPECT_FALSE(LoadCarFile(bomb, &block, ui));
    EXPECT_EQ(ui.texts(), QStringList{"E: Ошибка целостности файла!"});
    ScriptedInteraction quiet;
    EXPECT_FALSE(LoadCarFile(dir.file("missing.kcr"), &block, quiet));
    EXPECT_TRUE(quiet.messages().empty());
}
