// Runs the built kemsys-cli on files written by the library and reads its JSON.
#include "car_file.h"
#include "kdd_file.h"
#include "protocol_file.h"
#include "temp_dir.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

#include "cli_run.h"

namespace {
TOrderHeader sealedHeader()
{
    TOrderHeader h;
    h.SetRecordType(2);
    h.SetCarNumber(QString::fromUtf8("А123ВС"));
    h.SetRegSerNum("1.02.0304.E-0000012.1");
    h.SetCarGSM(12.6L);
    h.SetCarTank1Vol(400);
    h.SetOrderStartDate(QDateTime(QDate(2025, 3, 1), QTime(6, 0)));
    h.Seal();
    return h;
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo(CliPath()).isExecutable()) GTEST_SKIP() << "kemsys-cli is not built";
    }
    TestDir dir;
};
}  // namespace

TEST_F(Cli, SerialReportsValueTextAndValidity)
{
    CliRun r = RunCli({"serial", "1.02.0304.E-0000012.1"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.json()["value"].toString(), "0x1020304E00000121");
    EXPECT_TRUE(r.json()["valid"].toBool());

    r = RunCli({"serial", "0x1010001900000012"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.json()["text"].toString(), "1.01.0001.9-0000001.2");

    r = RunCli({"serial", "1.01.0001.8-0000001.2"});  // one digit changed
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.json()["valid"].toBool());

    r = RunCli({"serial", "1.01"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty());
}

TEST_F(Cli, Crc32OfAFile)
{
    const QString path = dir.file("abc.txt");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("abc");
    f.close();
    const CliRun r = RunCli({"crc32", path});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.json()["crc32"].toString(), "0xCA6598D0");
    EXPECT_NE(RunCli({"crc32", dir.file("missing")}).exitCode, 0);
}

TEST_F(Cli, HeaderOfEveryKindOfFile)
{
    QString kpr;
    ASSERT_TRUE(SaveProtocolFile(TProtokolRecords(5), sealedHeader(), dir.path(), kpr::kOrder, &kpr));
    QString kdd;
    ASSERT_TRUE(SaveDataFile(dir.path(), sealedHeader(), TKDDData(3), nullptr, QDateTime(), QDateTime(), &kdd));
    const QString raw = dir.file("header.bin");
    {
        QFile f(raw);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(sealedHeader().ToByteArray());
    }
    const QString kcr = dir.file("car.kcr");
    ASSERT_TRUE(SaveCarFile(sealedHeader(), kcr));
    for (const QString& path : {kpr, kdd, raw, kcr}) {
        const CliRun r = RunCli({"header", path});
        ASSERT_EQ(r.exitCode, 0) << path.toStdString() << r.err.toStdString();
        const QJsonObject j = r.json();
        EXPECT_TRUE(j["intact"].toBool()) << path.toStdString();
        const QJsonObject h = j["header"].toObject();
        EXPECT_EQ(h["CarNumber"].toString(), QString::fromUtf8("А123ВС"));
        EXPECT_EQ(h["RegSerNum"].toString(), "1.02.0304.E-0000012.1");
        EXPECT_DOUBLE_EQ(h["CarGSM"].toDouble(), 12.6);
        EXPECT_EQ(h["Signature"].toString(), "0xAA551177");
        EXPECT_EQ(h["OrderStartDate"].toString(), "2025-03-01T06:00:00.000");
    }
    EXPECT_EQ(RunCli({"header", kpr}).json()["protocol"].toObject()["count"].toInt(), 5);

    // A changed byte is reported, not refused.
    TOrderHeader damaged = sealedHeader();
    damaged.data()[500] ^= 1;
    QFile f(raw);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(damaged.ToByteArray());
    f.close();
    const CliRun r = RunCli({"header", raw});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_FALSE(r.json()["intact"].toBool());
    EXPECT_NE(RunCli({"header", dir.file("missing")}).exitCode, 0);
}

TEST_F(Cli, KddWithSamplesAsCsv)
{
    TKDDData samples(3);
    samples[2].PathStep = 1500;
    samples[2].Tank1 = -7;
    const QDateTime start(QDate(2025, 3, 1), QTime(6, 0));
    QString path;
    ASSERT_TRUE(SaveDataFile(dir.path(), sealedHeader(), samples, nullptr, start, start.addSecs(120), &path));

    CliRun r = RunCli({"kdd", path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject j = r.json();
    EXPECT_EQ(j["count"].toInt(), 3);
    EXPECT_EQ(j["fileHeader"].toObject()["version"].toInt(), 512);
    EXPECT_EQ(j["section"].toObject()["interval"].toInt(), 60);
    EXPECT_EQ(j["section"].toObject()["tank1Vol"].toInt(), 400);
    EXPECT_EQ(j["section"].toObject()["startTime"].toString(), "2025-03-01T06:00:00");

    r = RunCli({"kdd", path, "--samples"});
    ASSERT_EQ(r.exitCode, 0);
    const qsizetype csv = r.out.indexOf("\nindex,time,");
    ASSERT_GT(csv, 0);
    EXPECT_EQ(QJsonDocument::fromJson(r.out.left(csv + 1)).object()["count"].toInt(), 3);
    const QList<QByteArray> lines = r.out.mid(csv + 1).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[3], "2,2025-03-01T06:02:00,0,0,1500,0,-7,0,0,0,0");

    const QString broken = dir.file("broken.kdd");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(".KDD too short");
    f.close();
    r = RunCli({"kdd", broken});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("E2002"));
}
