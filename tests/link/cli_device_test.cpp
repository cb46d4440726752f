// kemsys-cli device state / device read against the simulator.
#include "order_header.h"
#include "protocol_file.h"
#include "scripted_interaction.h"
#include "cli_run.h"
#include "sim_process.h"
#include "temp_dir.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// A carrier with an order header on pages 0 ... 15 and numbered protocol records from page 128.
class CarrierImage {
public:
    explicit CarrierImage(int records) : bytes_(128 * 528 + records * 12 + 528, '\xFF')
    {
        header.SetCarNumber("А123ВС");
        header.Seal();
        bytes_.replace(0, hdr::kSize, header.ToByteArray());
        for (int i = 0; i < records; ++i) {
            TProtokolRecord r;
            for (int k = 0; k < 12; ++k) r.b[size_t(k)] = uint8_t(i * 13 + k);
            expected.push_back(r);
            bytes_.replace(128 * 528 + i * 12, 12, reinterpret_cast<const char*>(r.b.data()), 12);
        }
    }
    bool write(const QString& path) const
    {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes_) == bytes_.size();
    }
    TOrderHeader header;
    TProtokolRecords expected;

private:
    QByteArray bytes_;
};

bool SameRecords(const TProtokolRecords& a, const TProtokolRecords& b, size_t n)
{
    if (a.size() != n || b.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (a[i].b != b[i].b) return false;
    return true;
}

}  // namespace

TEST(CliDevice, StateReportsStatusRegistersFlashClockAndSerials)
{
    SimProcess sim({"--pages", "4096"});
    ASSERT_TRUE(sim.started());
    sim.command("reg 8 0xABCD");
    const CliRun r = RunCli({"device", "state", "--port", sim.path()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json()["status"].toObject()["Mode"].toInt(), 4);
    EXPECT_EQ(r.json()["registers"].toArray()[8].toString(), "0x000000000000ABCD");
    EXPECT_EQ(r.json()["flash"].toObject()["name"].toString(), "AT45DB161B");
    EXPECT_EQ(r.json()["flash"].toObject()["size"].toInt(), 2162688);
    EXPECT_EQ(r.json()["carrierSerial"].toObject()["text"].toString(), "1.02.0304.E-0000012.1");
    EXPECT_TRUE(r.json()["carrierSerial"].toObject()["valid"].toBool());
    EXPECT_EQ(r.json()["recorderSerial"].toObject()["text"].toString(), "1.01.0001.9-0000001.2");
    EXPECT_TRUE(QDateTime::fromString(r.json()["clock"].toString(), Qt::ISODate).isValid());
}

TEST(CliDevice, StateFailsWhenNothingAnswers)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    sim.command("silent on");
    const CliRun r = RunCli({"device", "state", "--port=" + sim.path()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Нет связи с устройством"));
}

TEST(CliDevice, ReadWritesAProtocolFileThatLoadsBack)
{
    TestDir dir;
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    const CarrierImage image(2 * 44 + 5 + 30);  // more on the carrier than the position says
    ASSERT_TRUE(image.write(dir.file("carrier.bin")));
    ASSERT_TRUE(sim.command("load " + dir.file("carrier.bin")).startsWith("ok"));
    sim.command("mode 2");
    sim.command("position 130 5");  // pages = 2, n = 2 x 44 + 5 = 93 records
    const CliRun r = RunCli({"device", "read", "--port", sim.path(), "--out", dir.file("out.kpr")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json()["records"].toInt(), 93);
    EXPECT_EQ(r.json()["carNumber"].toString(), "А123ВС");

    ScriptedInteraction ui;
    TOrderHeader header;
    TProtokolRecords records;
    ASSERT_TRUE(LoadProtocolFile(dir.file("out.kpr"), &header, &records, ui));
    EXPECT_TRUE(SameRecords(records, image.expected, 93));
    EXPECT_EQ(header.ToByteArray(), image.header.ToByteArray());
}

TEST(CliDevice, ReadAsksAboutARecordCountAbove44)
{
    TestDir dir;
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    const CarrierImage image(100);
    ASSERT_TRUE(image.write(dir.file("carrier.bin")));
    sim.command("load " + dir.file("carrier.bin"));
    sim.command("mode 2");
    sim.command("position 129 50");
    const CliRun no = RunCli({"device", "read", "--port", sim.path(), "--out", dir.file("no.kpr"), "--no"});
    EXPECT_NE(no.exitCode, 0);
    EXPECT_TRUE(no.err.contains("Нарушена целостность протокола!"));
    EXPECT_FALSE(QFile::exists(dir.file("no.kpr")));
    // Yes reads whole pages only: c = 0 gives 1 x 44 records.
    const CliRun yes = RunCli({"device", "read", "--port", sim.path(), "--out", dir.file("yes.kpr"), "--yes"});
    ASSERT_EQ(yes.exitCode, 0) << yes.err.toStdString();
    EXPECT_EQ(yes.json()["records"].toInt(), 44);
    ScriptedInteraction ui;
    TOrderHeader header;
    TProtokolRecords records;
    ASSERT_TRUE(LoadProtocolFile(dir.file("yes.kpr"), &header, &records, ui));
    EXPECT_TRUE(SameRecords(records, image.expected, 44));
}

TEST(CliDevice, ReadRefusesAnEmptyCarrier)
{
    TestDir dir;
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    const CliRun r = RunCli({"device", "read", "--port", sim.path(), "--out", dir.file("x.kpr")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Носитель пуст"));
    EXPECT_FALSE(QFile::exists(dir.file("x.kpr")));
}
