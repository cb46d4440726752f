// The schema upgrade on real database files: version detection, the version-2 step, its messages.
#include "db_fixture.h"
#include "schema_upgrade.h"

#include <gtest/gtest.h>

namespace {

const QString Upgraded2 = "Выполнено обновление структуры базы данных до версии 2";

QString e0010(int reached)
{
    return QString("E0010: Ошибка при обновлении структуры базы данных (новая версия: %1)!").arg(reached);
}

class UpgradeTest : public DbTest {
protected:
    // DB_VERSION rows of T_SERVICE as isql-fb lists them, or "no table".
    QString serviceRows()
    {
        data.reset();
        const QString out = Isql(path, "SET LIST ON; SELECT DB_VERSION FROM T_SERVICE;\n");
        if (out.contains("Table unknown")) return "no table";
        QStringList rows;
        for (const QString& l : out.split('\n'))
            if (l.startsWith("DB_VERSION")) rows << l.section(' ', -1);
        return rows.join(',');
    }
    bool hasTable(const QString& table) { return !IsqlColumns(path, table).isEmpty(); }
};

TEST_F(UpgradeTest, Version1ReachesVersion2InOneRunAndSaysSoOnce)
{
    UpgradeSchema(open(path));
    EXPECT_EQ(ui.texts(), QStringList{Upgraded2});
    EXPECT_EQ(ui.textsOf("information"), QStringList{Upgraded2});
    EXPECT_FALSE(data->InTransaction());
    EXPECT_EQ(serviceRows(), "2");

    const QStringList cars = IsqlColumns(path, "T_Cars");
    const QStringList types = IsqlColumns(path, "T_CarTypes");
    for (const char* c : {"CARUSEPOWERFORTEMP", "AINPUTBAK2TYPE", "AINPUTBAK2PARAM", "AINPUTBAK2DESCR", "AINPUTBAK2R0",
                          "AINPUTBAK2T0", "AINPUTBAK2ROBR", "AINPUT6TYPE", "AINPUT6PARAM", "AINPUT6DESCR", "DINPUT3TYPE",
                          "DINPUT3PARAM", "DINPUT3LEVEL", "DINPUT3DESCR", "DINPUT4TYPE", "DINPUT4PARAM", "DINPUT4LEVEL",
                          "DINPUT4DESCR"}) {
        EXPECT_TRUE(cars.contains(c)) << c;
        // The type's defaults are named after the car's columns; the first drops its "CAR".
        const QString car(c);
        EXPECT_TRUE(types.contains("DEFAULT" + (car.startsWith("CAR") ? car.mid(3) : car))) << c;
    }
    EXPECT_EQ(IsqlColumns(path, "T_GRAD").size(), 5);
    EXPECT_TRUE(Isql(path, "SHOW TABLE T_GRAD;\n").contains("PK_T_GRAD"));

    // A second start finds version 2: no statement, no message.
    ui.clear();
    UpgradeSchema(open(path));
    EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join('|').toStdString();
    EXPECT_EQ(serviceRows(), "2");
}

TEST_F(UpgradeTest, EmptyServiceTableWithGradPresentCountsAsVersion0AndChangesNothing)
{
    prepare(path, {"CREATE TABLE T_SERVICE (DB_VERSION SMALLINT NOT NULL)",
                   "CREATE TABLE T_GRAD (REGSERNUM CHAR(21) NOT NULL, TYPE_GRAD SMALLINT NOT NULL, U FLOAT NOT NULL, "
                   "U_POWER FLOAT, VAL FLOAT)"});
    UpgradeSchema(open(path));
    // The failed statement is shown first (the SQL monitor), then the upgrade's own message.
    ASSERT_EQ(ui.messages().size(), 2u) << ui.texts().join('|').toStdString();
    EXPECT_EQ(ui.messages()[0].kind, "plain");
    EXPECT_TRUE(ui.messages()[0].text.contains("CREATE TABLE T_GRAD"));
    EXPECT_EQ(ui.messages()[1].kind, "error");
    EXPECT_EQ(ui.messages()[1].text, e0010(0));
    EXPECT_EQ(serviceRows(), "");
    EXPECT_FALSE(IsqlColumns(path, "T_Cars").contains("CARUSEPOWERFORTEMP"));
    EXPECT_FALSE(Isql(path, "SHOW TABLE T_GRAD;\n").contains("PK_T_GRAD"));
}

// The last statement of the step fails (its first column already exists): nothing of the step
// stays, T_SERVICE created in this run holds version 1 and E0010 names it.
TEST_F(UpgradeTest, StepFailingHalfwayLeavesNoPartOfIt)
{
    prepare(path, {"ALTER TABLE T_CarTypes ADD DefaultUSEPOWERFORTEMP SMALLINT"});
    UpgradeSchema(open(path));
    ASSERT_EQ(ui.textsOf("error"), QStringList{e0010(1)});
    ASSERT_EQ(ui.textsOf("plain").size(), 1);
    EXPECT_TRUE(ui.textsOf("plain")[0].contains("ALTER TABLE T_CarTypes"));
    EXPECT_EQ(serviceRows(), "1");
    EXPECT_FALSE(hasTable("T_GRAD"));
    EXPECT_FALSE(IsqlColumns(path, "T_Cars").contains("CARUSEPOWERFORTEMP"));
    EXPECT_FALSE(IsqlColumns(path, "T_Cars").contains("DINPUT4DESCR"));

    // Once the cause is gone, the next start completes the step from version 1.
    prepare(path, {"ALTER TABLE T_CarTypes DROP DefaultUSEPOWERFORTEMP"});
    ui.clear();
    UpgradeSchema(open(path));
    EXPECT_EQ(ui.texts(), QStringList{Upgraded2});
    EXPECT_EQ(serviceRows(), "2");
}

// Versions this program does not know are left alone: no statement, no message.
TEST_F(UpgradeTest, UnknownVersionsAreLeftUntouched)
{
    for (int version : {3, 7, -1}) {
        SCOPED_TRACE(version);
        TestDir other;
        path = MakeVersion1Database(other);
        prepare(path, {"CREATE TABLE T_SERVICE (DB_VERSION SMALLINT NOT NULL)",
                       QString("INSERT INTO T_SERVICE VALUES (%1)").arg(version)});
        ui.clear();
        UpgradeSchema(open(path));
        EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join('|').toStdString();
        EXPECT_EQ(serviceRows(), QString::number(version));
        EXPECT_FALSE(hasTable("T_GRAD"));
        EXPECT_FALSE(IsqlColumns(path, "T_Cars").contains("CARUSEPOWERFORTEMP"));
    }
}

TEST_F(UpgradeTest, ServiceTableWithVersion1RunsOnlyTheVersion2Step)
{
    prepare(path, {"CREATE TABLE T_SERVICE (DB_VERSION SMALLINT NOT NULL)", "INSERT INTO T_SERVICE VALUES (1)"});
    UpgradeSchema(open(path));
    EXPECT_EQ(ui.texts(), QStringList{Upgraded2});
    EXPECT_EQ(serviceRows(), "2");
}

TEST(UpgradeWithoutDatabase, ClosedConnectionReportsE0011)
{
    ScriptedInteraction ui;
    TData data(ui);
    UpgradeSchema(data);
    EXPECT_EQ(ui.textsOf("error"), QStringList{"E0011: Ошибка при обновлении структуры базы данных!"});
    EXPECT_TRUE(ui.textsOf("information").isEmpty());
}

}  // namespace
