#include "config.h"
#include "ini_file.h"
#include "temp_dir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

ConfigLocation locationIn(const TestDir& dir)
{
    ConfigLocation loc;
    loc.programDir = dir.path();
    loc.defaultWorkDir = dir.path();
    loc.iniPath = dir.file("kemsys.INI");
    return loc;
}

void writeFile(const QString& path, const QByteArray& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

TConfig loaded(const ConfigLocation& loc)
{
    TConfig c;
    SetDefaults(c, loc);
    LoadConfig(c, loc);
    return c;
}

}  // namespace

TEST(Config, FirstStartWritesCompleteFileWithDefaults)
{
    TestDir dir;
    const auto loc = locationIn(dir);
    const TConfig c = loaded(loc);
    EXPECT_EQ(c.WorkDataPath, dir.path());
    EXPECT_EQ(c.DataPath, dir.path() + "Data");
    EXPECT_EQ(c.ProtPath, dir.path() + "Prot");
    EXPECT_EQ(c.COMPort, "COM1");
    EXPECT_EQ(c.PeriodSaveProt, 7);
    EXPECT_DOUBLE_EQ(c.AvgFilterK[0][6], 0.01);
    EXPECT_DOUBLE_EQ(c.AvgFilterK[3][4], 0.3);  // neighbours of the diagonal weigh 0.3
    EXPECT_DOUBLE_EQ(c.AvgFilterK[0][4], 0.05);
    EXPECT_DOUBLE_EQ(c.AvgFilterK[5][5], 1.0);

    IniFile ini(loc.iniPath);
    ASSERT_TRUE(ini.existed());
    for (const char* key : {"WorkDataPath", "COMPort", "ApplyFilter", "ShowButtonCaptions", "SaveProt", "SaveProtGrad",
                            "PeriodSaveProt", "UseDiffInADC"})
        EXPECT_TRUE(ini.value("COMMON", key)) << key;
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j) EXPECT_TRUE(ini.value("FILTER", QString("AvgFilterK%1.%2").arg(i).arg(j)));
    for (const char* key : {"UseFilter1", "UseFilter2", "UseFilterAvg", "SkipPauses"})
        EXPECT_TRUE(ini.value("FILTER", key)) << key;
    EXPECT_EQ(*ini.value("FILTER", "AvgFilterK0.1"), "0.3");
}

TEST(Config, MissingKeysAreWrittenBackOnlyWhereTheyAlwaysAre)
{
    TestDir dir;
    const auto loc = locationIn(dir);
    writeFile(loc.iniPath, "[COMMON]\r\nWorkDataPath=/srv/kem\r\n[FILTER]\r\nUseFilter2=0\r\n");
    const TConfig c = loaded(loc);
    EXPECT_EQ(c.COMPort, "COM1");
    EXPECT_FALSE(c.UseFilter1);
    EXPECT_FALSE(c.UseFilter2);
    EXPECT_EQ(c.DataPath, "/srv/kemData");  // concatenated as it stands
    IniFile ini(loc.iniPath);
    EXPECT_EQ(*ini.value("COMMON", "COMPort"), "COM1");
    EXPECT_TRUE(ini.value("COMMON", "UseDiffInADC"));
    EXPECT_FALSE(ini.value("FILTER", "UseFilter1"));
    EXPECT_FALSE(ini.value("FILTER", "AvgFilterK0.0"));
}

TEST(Config, ValuesParseOrKeepTheDefault)
{
    struct Case {
        const char* text;
        bool applyFilter;
        int period;
        double k34;
    } cases[] = {
        {"ApplyFilter=2\r\nPeriodSaveProt=30\r\n", true, 30, 0.3},
        {"ApplyFilter=yes\r\nPeriodSaveProt=x\r\n", true, 7, 0.3},
        {"ApplyFilter=0\r\nPeriodSaveProt=99999999999\r\n", false, 7, 0.3},
    };
    for (const auto& k : cases) {
        TestDir dir;
        const auto loc = locationIn(dir);
        writeFile(loc.iniPath, QByteArray("[COMMON]\r\n") + k.text + "[FILTER]\r\nAvgFilterK3.4=abc\r\nAvgFilterK0.1=0,25\r\n");
        const TConfig c = loaded(loc);
        EXPECT_EQ(c.ApplyFilter, k.applyFilter) << k.text;
        EXPECT_EQ(c.PeriodSaveProt, k.period) << k.text;
        EXPECT_DOUBLE_EQ(c.AvgFilterK[3][4], k.k34) << k.text;
        EXPECT_DOUBLE_EQ(c.AvgFilterK[0][1], 0.25) << k.text;
    }
}

TEST(Config, EmptyWorkDataPathKeepsTheDefaultDirectory)
{
    TestDir dir;
    const auto loc = locationIn(dir);
    writeFile(loc.iniPath, "[COMMON]\r\nWorkDataPath=\r\n");
    const TConfig c = loaded(loc);
    EXPECT_EQ(c.WorkDataPath, dir.path());
    EXPECT_EQ(c.DataPath, dir.path() + "Data");
}

TEST(Config, GarbageFileStillGivesDefaultsAndACompleteFile)
{
    TestDir dir;
    const auto loc = locationIn(dir);
    writeFile(loc.iniPath, QByteArray("\x00\xff\xfe garbage [COMMON\n=\n[]\nCOMPort\n", 38));
    const TConfig c = loaded(loc);
    EXPECT_EQ(c.COMPort, "COM1");
    EXPECT_EQ(*IniFile(loc.iniPath).value("COMMON", "COMPort"), "COM1");
}

TEST(Config, SaveThenLoadRoundTrips)
{
    TestDir dir;
    const auto loc = locationIn(dir);
    TConfig c;
    SetDefaults(c, loc);
    c.COMPort = "/dev/ttyUSB0";
    c.WorkDataPath = "/data/Работа/";
    c.AvgFilterK[2][3] = 0.123456789012345;
    c.SkipPauses = true;
    SaveConfig(c, loc);
    const TConfig r = loaded(loc);
    EXPECT_EQ(r.COMPort, "/dev/ttyUSB0");
    EXPECT_EQ(r.WorkDataPath, "/data/Работа/");
    EXPECT_EQ(r.ProtPath, "/data/Работа/Prot");
    EXPECT_DOUBLE_EQ(r.AvgFilterK[2][3], 0.123456789012345);
    EXPECT_TRUE(r.SkipPauses);
}

TEST(Config, UnwritableLocationIsSilent)
{
    TestDir dir;
    auto loc = locationIn(dir);
    loc.iniWritable = false;
    const TConfig c = loaded(loc);
    EXPECT_EQ(c.COMPort, "COM1");
    EXPECT_FALSE(QFile::exists(loc.iniPath));
}

TEST(Config, PortNumberFromName)
{
    const std::pair<const char*, int> cases[] = {{"COM3", 3}, {"COM12", 12}, {"COMX", 1}, {"COM", 1}, {"COM0", 0}};
    for (auto [name, n] : cases) EXPECT_EQ(PortNumberFromName(name), n) << name;
}
