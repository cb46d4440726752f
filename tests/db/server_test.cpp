// Several workstations on one database: a Firebird server location instead of the embedded file.
#include "config.h"
#include "data.h"
#include "db_create.h"
#include "db_fixture.h"
#include "db_open.h"
#include "driver_store.h"
#include "firebird_server.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// One test program run owns the server for its whole life, so the cases share one test: CTest
// may run test cases in parallel, and a second server cannot start beside the first.
class ServerLocation {
public:
    explicit ServerLocation(const QString& password) : password_(password)
    {
        // The server may run under its own account: let it into the test's directory.
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
        location = "localhost:" + dir.file("Kem_M.fdb");
        config.WorkDataPath = dir.path();
        config.DatabaseLocation = location;
        config.DatabasePassword = password;
        where.programDir = dir.path();
        where.defaultWorkDir = dir.path();
    }
    void create()
    {
        QString error;
        ASSERT_TRUE(CreateDatabase(location, "SYSDBA", password_, error)) << error.toStdString();
    }

    QString password_;
    TestDir dir;
    QString location;
    TConfig config;
    ConfigLocation where;
    ScriptedInteraction ui;
};

void StartUpOpensAndUpgradesTheServerDatabase(const QString& password)
{
    ServerLocation s(password);
    s.create();
    {
        TData data(s.ui, s.config.DatabaseUser, s.config.DatabasePassword);
        OpenDatabaseForStartup(data, s.config, s.where);
        EXPECT_TRUE(data.IsConnected()) << data.LastErrorText().toStdString();
        EXPECT_EQ(s.ui.texts(), QStringList{"Выполнено обновление структуры базы данных до версии 2"});

        // Texts round-trip through the server's character conversion.
        TDriverStore drivers(data);
        int uid = 0;
        ASSERT_TRUE(data.RunOperation({"E1", "E2"}, [&] { return drivers.insert({"Щукин \"Ёж\"", "; '", ""}, uid); }));
        std::optional<TDbRow> row;
        ASSERT_TRUE(drivers.find(uid, row));
        ASSERT_TRUE(row);
        EXPECT_EQ(row->text("DRIVERSNAME"), "Щукин \"Ёж\"");
        EXPECT_EQ(row->text("DRIVERNAME"), "; '");
        EXPECT_EQ(ReopenDatabase(data, s.config), 0);
    }
    const QString out = Isql(s.location, "SET LIST ON; SELECT DB_VERSION FROM T_SERVICE;\n", "SYSDBA", password);
    EXPECT_TRUE(out.contains("DB_VERSION                      2")) << out.toStdString();
}

void MissingServerDatabaseIsNeverCreatedAndReopenGivesMinusOne(const QString& password)
{
    ServerLocation s(password);
    TData data(s.ui, s.config.DatabaseUser, s.config.DatabasePassword);
    OpenDatabaseForStartup(data, s.config, s.where);
    EXPECT_FALSE(data.IsConnected());
    EXPECT_EQ(s.ui.textsOf("error"), (QStringList{QString("E0001: Ошибка открытия базы данных \"%1\"!").arg(s.location),
                                                  "E0011: Ошибка при обновлении структуры базы данных!"}));
    EXPECT_FALSE(QFileInfo::exists(s.dir.file("Kem_M.fdb")));
    EXPECT_FALSE(QFileInfo::exists(s.dir.file("DB/Kem_M.fdb")));
    EXPECT_EQ(ReopenDatabase(data, s.config), -1);  // not -2: there is no file to look for
}

void WrongPasswordIsRefusedWithMinusOne(const QString& password)
{
    ServerLocation s(password);
    s.create();
    TData data(s.ui, "SYSDBA", password + "-wrong");
    EXPECT_EQ(ReopenDatabase(data, s.config), -1);
    EXPECT_FALSE(data.IsConnected());
    data.setLogin("SYSDBA", password);
    EXPECT_EQ(ReopenDatabase(data, s.config), 0);
}

TEST(ServerLocationTest, OpenUpgradeReopenAndRefusalsAgainstARealServer)
{
    FirebirdServer server;
    if (!server.unavailable().isEmpty()) GTEST_SKIP() << server.unavailable().toStdString();
    {
        SCOPED_TRACE("start-up on a server database");
        StartUpOpensAndUpgradesTheServerDatabase(server.password());
    }
    {
        SCOPED_TRACE("missing server database");
        MissingServerDatabaseIsNeverCreatedAndReopenGivesMinusOne(server.password());
    }
    {
        SCOPED_TRACE("wrong password");
        WrongPasswordIsRefusedWithMinusOne(server.password());
    }
}

}  // namespace
