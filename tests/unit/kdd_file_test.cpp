#include "cp1251.h"
#include "kdd_file.h"
#include "scripted_interaction.h"
#include "temp_dir.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <gtest/gtest.h>

namespace {
const QDateTime kStart(QDate(2025, 3, 1), QTime(6, 0));

TOrderHeader carHeader()
{
    TOrderHeader h;
    h.SetRecordType(2);
    h.SetCarNumber(QString::fromUtf8("А123ВС"));
    h.SetCarTank1Vol(400);
    h.SetCarTank2Vol(250);
    h.SetCarSpeedType(1);
    h.SetCarTachType(2);
    h.SetCarMaxIdleRPM(900);
    h.Seal();
    return h;
}

TKDDData series(int n)
{
    TKDDData s(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        TKDDSample& x = s[size_t(i)];
        x.Flags = sfData | sfNew | (i % 2 ? uint32_t(sfEngine) : 0u);
        x.Speed = uint16_t(i % 120);
        x.PathStep = uint16_t(i % 1500);
        x.Path = uint32_t(i) * 700;
        x.Tank1 = 10000 + i;
        x.Tank2 = -i;
        x.RPM = uint16_t(i % 3000);
        x.Count3 = 5;  // not kept by the reader
        x.Inputs = 0xC0;
        x.UBoard = 2750;
        x.Temp = int8_t(i % 100 - 50);
    }
    return s;
}

uint32_t u32At(const QByteArray& b, qsizetype at)
{
    uint32_t v;
    std::memcpy(&v, b.constData() + at, 4);
    return v;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

TEST(KddFile, SeventyThousandSamplesRoundTripThroughAFile)
{
    TestDir dir;
    const TOrderHeader header = carHeader();
    const TKDDData samples = series(70000);
    const QDateTime end = kStart.addSecs(60ll * 69999);
    QString path;
    ASSERT_TRUE(SaveDataFile(dir.path(), header, samples, nullptr, kStart, end, &path));
    EXPECT_EQ(QFileInfo(path).fileName(), QString::fromUtf8("%1_А123ВС__.kdd").arg(QDate::currentDate().toString("yyMMdd")));

    QFile raw(path);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    ASSERT_EQ(bytes.size(), 8552 + 64 + 32 * 70000);
    EXPECT_TRUE(bytes.startsWith(".KDD"));
    EXPECT_EQ(u32At(bytes, 4), 512u);
    EXPECT_EQ(bytes.mid(8, 32), ToCp1251(QFileInfo(path).fileName()).leftJustified(32, '\0'));
    EXPECT_EQ(u32At(bytes, 64), 104u);
    EXPECT_EQ(u32At(bytes, 68), 8448u);
    EXPECT_EQ(u32At(bytes, 72), 8552u);
    EXPECT_EQ(u32At(bytes, 76), 64u + 32u * 70000u);
    const qsizetype s = 8552;
    EXPECT_EQ(uint16_t(u32At(bytes, s + 22)), 4464);  // low half
    EXPECT_EQ(uint16_t(u32At(bytes, s + 34)), 1);     // high half
    EXPECT_EQ(uint8_t(bytes[s + 28]), 2);
    EXPECT_EQ(uint8_t(bytes[s + 30]), 1);  // second tank
    EXPECT_EQ(u32At(bytes, s + 44), 900u);

    ScriptedInteraction ui;
    const TKDDFile file(path, &ui);
    ASSERT_TRUE(file.Loaded());
    EXPECT_TRUE(ui.messages().empty());
    ASSERT_EQ(file.Count(), 70000);
    EXPECT_EQ(file.Interval(), 60);
    EXPECT_EQ(file.StartTime(), kStart);
    EXPECT_EQ(file.EndTime(), end);
    EXPECT_EQ(file.SampleTime(10), kStart.addSecs(600));
    EXPECT_EQ(file.Header(), header);
    EXPECT_EQ(file.StoredFileName(), QFileInfo(path).fileName());
    const TKDDSample last = file.Sample(69999);
    EXPECT_EQ(last.Path, samples[69999].Path);
    EXPECT_EQ(last.Tank2, samples[69999].Tank2);
    EXPECT_EQ(last.Temp, samples[69999].Temp);
    EXPECT_EQ(last.Count3, 0);  // counters and inputs are not taken from data files
    EXPECT_EQ(last.Inputs, 0);
}

TEST(KddFile, StreamImageAndDistance)
{
    TKDDData samples = series(0);
    for (int step : {400, 600, 1500, 500, 1000}) {
        TKDDSample x;
        x.PathStep = uint16_t(step);
        samples.push_back(x);
    }
    QByteArray stream("old content");
    QString path = "not emptied";
    ASSERT_TRUE(SaveDataFile({}, carHeader(), samples, &stream, kStart, kStart.addSecs(240), &path));
    EXPECT_TRUE(path.isEmpty());
    EXPECT_EQ(stream.size(), 8552 + 64 + 5 * 32);
    EXPECT_EQ(stream.mid(8, 32), QByteArray(32, '\0'));  // no name in a stream image

    TKDDFile f;
    ASSERT_TRUE(f.LoadImage(stream));
    EXPECT_EQ(f.DistanceKm(kStart, kStart.addSecs(240)), 4);              // 4000 m
    EXPECT_EQ(f.DistanceKm(kStart.addSecs(-3600), kStart.addSecs(-60)), 0);  // first sample only: 400 m
    EXPECT_EQ(f.DistanceKm(kStart.addSecs(120), kStart.addSecs(180)), 2);    // 2000 m
    EXPECT_EQ(f.DistanceKm(kStart.addSecs(60), kStart.addSecs(120)), 2);     // 2100 m
    EXPECT_EQ(f.DistanceKm(kStart.addSecs(180), kStart.addSecs(240)), 2);    // 1500 m: halves to even
    EXPECT_EQ(f.DistanceKm(kStart.addSecs(240), kStart), 0);                 // reversed range
}

TEST(KddFile, IntervalCodesAndSmallCountsIgnoringTheHighHalf)
{
    QByteArray image = BuildDataFileImage(carHeader(), series(3), kStart, kStart.addSecs(120));
    const qsizetype s = 8552;
    struct Case {
        uint8_t code;
        int seconds;
    };
    for (const Case c : {Case{0, 10}, Case{1, 30}, Case{2, 60}, Case{3, 90}, Case{7, 60}}) {
        image[s + 28] = char(c.code);
        TKDDFile f;
        ASSERT_TRUE(f.LoadImage(image));
        EXPECT_EQ(f.Interval(), c.seconds);
    }
    // The high half counts only when the 32-bit value at section byte 4 is not 0.
    image[s + 34] = 9;
    std::memset(image.data() + s + 4, 0, 4);
    TKDDFile f;
    ASSERT_TRUE(f.LoadImage(image));
    EXPECT_EQ(f.Count(), 3);
}

TEST(KddFile, HostileFilesAreNotLoaded)
{
    const QByteArray good = BuildDataFileImage(carHeader(), series(10), kStart, kStart.addSecs(540));
    auto withU32 = [&](qsizetype at, uint32_t v) {
        QByteArray b = good;
        std::memcpy(b.data() + at, &v, 4);
        return b;
    };
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"file header only", good.left(104)},
        {"truncated samples", good.left(good.size() - 1)},
        {"section past the end", withU32(72, uint32_t(good.size()))},
        {"section offset near 4 GiB", withU32(72, 0xFFFFFFF0u)},
        {"sample offset past the end", withU32(8552 + 24, 0xFFFFFF00u)},
        {"count past the end", withU32(8552 + 20, 0xFFFF0000u)},
    };
    TestDir dir;
    for (const auto& c : cases) {
        TKDDFile f;
        EXPECT_FALSE(f.LoadImage(c.bytes)) << c.what;
        EXPECT_EQ(f.Count(), 0) << c.what;

        const QString path = dir.file("x.kdd");
        writeFile(path, c.bytes);
        ScriptedInteraction ui;
        const TKDDFile fromDisk(path, &ui);
        EXPECT_FALSE(fromDisk.Loaded()) << c.what;
        EXPECT_EQ(ui.texts(), QStringList{"E2002: Ошибка чтения файла!"}) << c.what;
    }
    ScriptedInteraction ui;
    EXPECT_FALSE(TKDDFile(dir.file("missing.kdd"), &ui).Loaded());
    EXPECT_TRUE(ui.messages().empty());
}

TEST(KddFile, SaveNeedsAnExistingDirectory)
{
    TestDir dir;
    QString path;
    EXPECT_FALSE(SaveDataFile(dir.file("no-such-dir"), carHeader(), series(1), nullptr, kStart, kStart, &path));
    EXPECT_TRUE(path.isEmpty());
}
