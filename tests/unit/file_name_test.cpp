#include "file_name.h"
#include "temp_dir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
const QDate kDay(2005, 7, 14);

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}
}  // namespace

TEST(MakeFileName, BaseIsAlwaysFifteenCharacters)
{
    struct Case {
        const char* number;
        const char* base;
    };
    const Case cases[] = {
        {"А123ВС", "050714_А123ВС__"},
        {"", "050714_________"},
        {"АБВГДЕЖЗИЙКЛ", "050714_АБВГДЕЖЗ"},   // 12 Cyrillic characters: the first 8 are kept
        {"А12345В", "050714_А12345В_"},
        {"a/b\x01\x7f", "050714_a_b____"  "_"},  // nothing can leave the directory
    };
    for (const auto& c : cases) {
        const QString base = FileNameBase(QString::fromUtf8(c.number), kDay);
        EXPECT_EQ(base, QString::fromUtf8(c.base)) << c.number;
        EXPECT_EQ(base.size(), 15);
    }
    EXPECT_EQ(FileNameBase(QString(QChar(0)) + "X", kDay), "050714__X______");
}

TEST(MakeFileName, OrdersOfOneCarOnOneDayGetNumberedNames)
{
    TestDir dir;
    const QString car = QString::fromUtf8("А123ВС");
    const QString first = MakeFileName(car, dir.path(), ".kdd", kDay);
    EXPECT_EQ(first, dir.path() + QString::fromUtf8("050714_А123ВС__.kdd"));
    touch(first);
    const QString second = MakeFileName(car, dir.path(), ".kdd", kDay);
    EXPECT_EQ(second, dir.path() + QString::fromUtf8("050714_А123ВС___000.kdd"));
    touch(second);
    const QString third = MakeFileName(car, dir.path(), ".kdd", kDay);
    EXPECT_EQ(third, dir.path() + QString::fromUtf8("050714_А123ВС___001.kdd"));
    // Another extension has its own names; a directory without a trailing separator gets one.
    QString noSlash = dir.path();
    noSlash.chop(1);
    EXPECT_EQ(MakeFileName(car, noSlash, ".kpr", kDay), dir.path() + QString::fromUtf8("050714_А123ВС__.kpr"));
}

TEST(MakeFileName, NeverReusesATakenName)
{
    TestDir dir;
    const QString base = FileNameBase("X1", kDay);
    touch(dir.file(base + ".kpr"));
    for (int i = 0; i < 1000; ++i) touch(dir.file(base + QString::asprintf("_%.3d.kpr", i)));
    EXPECT_TRUE(MakeFileName("X1", dir.path(), ".kpr", kDay).isEmpty());
}
