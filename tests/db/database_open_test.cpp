// Finding and opening the database at start-up and on reopen: the program-directory fallback, the
// first-start creation in the default working directory only, E0001, and ReopenDatabase's codes.
#include "config.h"
#include "db_fixture.h"
#include "db_open.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const QString E0011 = "E0011: Ошибка при обновлении структуры базы данных!";

QString e0001(const QString& path) { return QString("E0001: Ошибка открытия базы данных \"%1\"!").arg(path); }

class DatabaseOpenTest : public ::testing::Test {
protected:
    TestDir programDir, workDir, otherDir;
    ScriptedInteraction ui;
    TConfig config;
    ConfigLocation where;

    void SetUp() override
    {
        where.programDir = programDir.path();
        where.defaultWorkDir = workDir.path();
        config.WorkDataPath = workDir.path();
    }
    QString workDb() const { return workDir.file("DB/Kem_M.fdb"); }
    QString programDb() const { return programDir.file("DB/Kem_M.fdb"); }
    void startUp(TData& data) { OpenDatabaseForStartup(data, config, where); }
    static QString dbVersion(const QString& path)
    {
        const QString out = Isql(path, "SET LIST ON; SELECT DB_VERSION FROM T_SERVICE;\n");
        return out.section("DB_VERSION", 1).trimmed();
    }
};

TEST_F(DatabaseOpenTest, FirstStartInTheDefaultDirectoryCreatesAnUpgradedDatabase)
{
    {
        TData data(ui);
        startUp(data);
        EXPECT_TRUE(data.IsConnected());
        EXPECT_EQ(data.Location(), workDb());
    }
    EXPECT_EQ(ui.texts(), QStringList{"Выполнено обновление структуры базы данных до версии 2"});
    EXPECT_EQ(dbVersion(workDb()), "2");
    EXPECT_FALSE(QFileInfo::exists(programDb()));
    // The file is a dialect-3 UTF8 database with every table.
    const QString show = Isql(workDb(), "SHOW DATABASE;\nSHOW TABLES;\n");
    EXPECT_TRUE(show.contains("Default Character set: UTF8")) << show.toStdString();
    for (const char* t : {"T_CARS", "T_CARTYPES", "T_DRIVERS", "T_REGISTRATORS", "T_CARRIERS", "T_ORDERS", "T_GRAD",
                          "T_SERVICE"})
        EXPECT_TRUE(show.contains(t)) << t;

    ui.clear();
    TData again(ui);
    startUp(again);
    EXPECT_TRUE(again.IsConnected());
    EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join('|').toStdString();
}

TEST_F(DatabaseOpenTest, ChosenDirectoryWithoutDatabaseGetsNoNewOne)
{
    config.WorkDataPath = otherDir.file("unmounted/");
    TData data(ui);
    startUp(data);
    EXPECT_FALSE(data.IsConnected());
    // The fallback in the program directory was tried and is named.
    ASSERT_EQ(ui.textsOf("error"), (QStringList{e0001(programDb()), E0011}));
    EXPECT_FALSE(QFileInfo::exists(otherDir.file("unmounted")));
    EXPECT_FALSE(QFileInfo::exists(programDb()));
    EXPECT_FALSE(QFileInfo::exists(workDb()));
}

TEST_F(DatabaseOpenTest, MissingWorkingDatabaseFallsBackToTheProgramDirectory)
{
    MakeVersion1Database(programDir);
    config.WorkDataPath = otherDir.path();
    TData data(ui);
    startUp(data);
    EXPECT_TRUE(data.IsConnected());
    EXPECT_EQ(data.Location(), programDb());
    EXPECT_TRUE(ui.textsOf("error").isEmpty()) << ui.texts().join('|').toStdString();
}

TEST_F(DatabaseOpenTest, FileThatIsNotADatabaseGivesE0001AndTheProgramGoesOn)
{
    QDir().mkpath(workDir.file("DB"));
    QFile f(workDb());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(20000, 'x'));
    f.close();
    TData data(ui);
    startUp(data);
    EXPECT_FALSE(data.IsConnected());
    EXPECT_EQ(ui.textsOf("error"), (QStringList{e0001(workDb()), E0011}));
    EXPECT_EQ(QFileInfo(workDb()).size(), 20000);  // not replaced by a new database
}

TEST_F(DatabaseOpenTest, DatabaseHeldByAnotherProcessGivesE0001)
{
    MakeVersion1Database(workDir);
    QProcess holder;  // isql-fb keeps its attachment while it waits for input
    holder.start("isql-fb", {"-q", "-user", "SYSDBA", "-password", "plumbline", workDb()});
    ASSERT_TRUE(holder.waitForStarted());
    holder.write("SELECT COUNT(*) FROM T_Cars;\n");
    ASSERT_TRUE(holder.waitForReadyRead(20000));
    TData data(ui);
    startUp(data);
    holder.closeWriteChannel();
    holder.waitForFinished();
    EXPECT_FALSE(data.IsConnected());
    EXPECT_EQ(ui.textsOf("error"), (QStringList{e0001(workDb()), E0011}));
}

TEST_F(DatabaseOpenTest, ReadOnlyFileGivesE0001)
{
    if (geteuid() == 0) GTEST_SKIP() << "running as root: file permissions do not stop the engine";
    MakeVersion1Database(workDir);
    QFile::setPermissions(workDb(), QFile::ReadOwner);
    TData data(ui);
    startUp(data);
    EXPECT_FALSE(data.IsConnected());
    EXPECT_EQ(ui.textsOf("error").value(0), e0001(workDb()));
}

TEST_F(DatabaseOpenTest, ReopenCodes)
{
    MakeVersion1Database(workDir);
    TData data(ui);
    ASSERT_EQ(ReopenDatabase(data, config), 0);
    EXPECT_EQ(data.Location(), workDb());

    // -2: no file in the new directory; the old connection stays open and usable.
    config.WorkDataPath = otherDir.path();
    EXPECT_EQ(ReopenDatabase(data, config), -2);
    EXPECT_TRUE(data.IsConnected());
    EXPECT_EQ(data.Location(), workDb());
    QStringList tables;
    EXPECT_TRUE(data.UserTables(tables));
    EXPECT_TRUE(tables.contains("T_CARS"));

    // -1: a file that does not open; the connection is then closed.
    QDir().mkpath(otherDir.file("DB"));
    QFile f(otherDir.file("DB/Kem_M.fdb"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a database");
    f.close();
    EXPECT_EQ(ReopenDatabase(data, config), -1);
    EXPECT_FALSE(data.IsConnected());

    // 0 again on a real database in the new directory; no upgrade runs and nothing is shown.
    config.WorkDataPath = workDir.path();
    EXPECT_EQ(ReopenDatabase(data, config), 0);
    EXPECT_TRUE(data.UserTables(tables));
    EXPECT_FALSE(tables.contains("T_SERVICE"));
    EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join('|').toStdString();
}

TEST(DatabaseLocation, ServerLocationIsUsedAsGivenWithoutFallbackOrCreation)
{
    TestDir programDir, workDir;
    TConfig config;
    config.WorkDataPath = workDir.path();
    config.DatabaseLocation = "  dbhost/3051:/srv/kem/Kem_M.fdb ";
    ConfigLocation where;
    where.programDir = programDir.path();
    where.defaultWorkDir = workDir.path();
    bool create = true;
    EXPECT_TRUE(UsesServer(config));
    EXPECT_EQ(StartupDatabaseLocation(config, where, create), "dbhost/3051:/srv/kem/Kem_M.fdb");
    EXPECT_FALSE(create);

    config.DatabaseLocation.clear();
    config.WorkDataPath = workDir.path().chopped(1);  // without the trailing separator
    EXPECT_EQ(PrimaryDatabaseLocation(config), workDir.file("DB/Kem_M.fdb"));
    EXPECT_EQ(StartupDatabaseLocation(config, where, create), workDir.file("DB/Kem_M.fdb"));
    EXPECT_TRUE(create);
}

}  // namespace
