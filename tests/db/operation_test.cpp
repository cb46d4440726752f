// The operation pattern of the main transaction: first code for a failed statement, second code
// for a failed commit, the failed statement shown before the operation's own message.
#include "db_fixture.h"
#include "driver_store.h"
#include "schema_upgrade.h"

#include <gtest/gtest.h>

namespace {

const TOpCodes Codes{"E1501: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию",
                     "E1502: Ошибка при добавлении: Информация не добавлена! Попробуйте повторить операцию"};

class OperationTest : public DbTest {
protected:
    int driverCount()
    {
        std::vector<TDbRow> rows;
        EXPECT_TRUE(TDriverStore(*data).list(rows));
        return int(rows.size());
    }
};

TEST_F(OperationTest, SuccessCommitsAndShowsNothing)
{
    TDriverStore drivers(open(path));
    int uid = 0;
    EXPECT_TRUE(data->RunOperation(Codes, [&] { return drivers.insert({"Иванов", "Иван", "Иванович"}, uid); }));
    EXPECT_FALSE(data->InTransaction());
    EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join('|').toStdString();
    data.reset();
    EXPECT_TRUE(Isql(path, "SELECT DRIVERSNAME FROM T_Drivers;\n").contains("Иванов"));
}

TEST_F(OperationTest, FailedStatementRollsBackEveryStatementAndShowsFirstCode)
{
    TDriverStore drivers(open(path));
    int uid = 0;
    const bool ok = data->RunOperation(Codes, [&] {
        return drivers.insert({"Петров", "Пётр", ""}, uid) && data->Exec("INSERT INTO T_NoSuchTable VALUES (?)", {1});
    });
    EXPECT_FALSE(ok);
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[0].kind, "plain");
    EXPECT_TRUE(ui.messages()[0].text.startsWith("INSERT INTO T_NoSuchTable VALUES (?)"));
    EXPECT_EQ(ui.messages()[1].kind, "error");
    EXPECT_EQ(ui.messages()[1].text, Codes.statementFailed);
    EXPECT_FALSE(data->InTransaction());
    EXPECT_EQ(driverCount(), 0);  // the first insert went with the rollback
}

TEST_F(OperationTest, LaterStatementsDoNotRunAfterTheFirstFailure)
{
    open(path);
    int ran = 0;
    data->RunOperation(Codes, [&] {
        return data->Exec("UPDATE T_NoSuchTable SET X = 1") && (++ran, data->Exec("DELETE FROM T_Drivers"));
    });
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(ui.textsOf("plain").size(), 1);
}

// A database trigger refuses the commit while a marked driver row is in the transaction: the
// statement succeeds, the commit fails.
TEST_F(OperationTest, FailedCommitShowsSecondCodeAndLeavesNothingBehind)
{
    prepare(path, {"CREATE EXCEPTION E_REFUSED 'commit refused'",
                   "CREATE TRIGGER TR_REFUSE ON TRANSACTION COMMIT AS BEGIN "
                   "IF (EXISTS(SELECT 1 FROM T_Drivers WHERE DRIVERSNAME = 'REFUSE')) THEN EXCEPTION E_REFUSED; END"});
    TDriverStore drivers(open(path));
    int uid = 0;
    EXPECT_FALSE(data->RunOperation(Codes, [&] { return drivers.insert({"REFUSE", "", ""}, uid); }));
    EXPECT_EQ(ui.textsOf("error"), QStringList{Codes.endFailed});
    EXPECT_TRUE(ui.textsOf("plain").isEmpty());
    EXPECT_FALSE(data->InTransaction());

    // The connection goes on working, and the refused row is gone for good.
    ui.clear();
    EXPECT_TRUE(data->IsConnected());
    EXPECT_TRUE(data->RunOperation(Codes, [&] { return drivers.insert({"Сидоров", "", ""}, uid); }));
    EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join('|').toStdString();
    std::vector<TDbRow> rows;
    ASSERT_TRUE(drivers.list(rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text("DRIVERSNAME"), "Сидоров");
}

// The refused transaction had changed a row; its lock must not outlive the failed commit, or the
// next change of that row would wait for ever.
TEST_F(OperationTest, FailedCommitFreesTheRowsItChanged)
{
    prepare(path, {"CREATE EXCEPTION E_REFUSED 'commit refused'",
                   "CREATE TRIGGER TR_REFUSE ON TRANSACTION COMMIT AS BEGIN "
                   "IF (EXISTS(SELECT 1 FROM T_Drivers WHERE DRIVERSNAME = 'REFUSE')) THEN EXCEPTION E_REFUSED; END"});
    TDriverStore drivers(open(path));
    int uid = 0;
    ASSERT_TRUE(data->RunOperation(Codes, [&] { return drivers.insert({"Петров", "", ""}, uid); }));
    EXPECT_FALSE(data->RunOperation(Codes, [&] {
        return data->Exec("UPDATE T_Drivers SET DRIVERSNAME = 'REFUSE' WHERE UID = ?", {uid});
    }));
    ui.clear();
    EXPECT_TRUE(data->RunOperation(Codes, [&] {
        return data->Exec("UPDATE T_Drivers SET DRIVERFNAME = 'Иван' WHERE UID = ?", {uid});
    }));
    EXPECT_TRUE(ui.texts().isEmpty()) << ui.texts().join('|').toStdString();
    std::vector<TDbRow> rows;
    ASSERT_TRUE(drivers.list(rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].text("DRIVERSNAME"), "Петров");
    EXPECT_EQ(rows[0].text("DRIVERFNAME"), "Иван");
}

TEST_F(OperationTest, ClosedDatabaseFailsWithFirstCode)
{
    TData closed(ui);
    EXPECT_FALSE(closed.RunOperation(Codes, [&] { return closed.Exec("DELETE FROM T_Drivers"); }));
    EXPECT_EQ(ui.textsOf("error"), QStringList{Codes.statementFailed});
}

TEST_F(OperationTest, ReadsStartTheTransactionAndLeaveItOpenForTheNextWrite)
{
    TDriverStore drivers(open(path));
    std::vector<TDbRow> rows;
    ASSERT_TRUE(drivers.list(rows));
    EXPECT_TRUE(data->InTransaction());
    int uid = 0;
    EXPECT_TRUE(data->RunOperation(Codes, [&] { return drivers.insert({"А", "Б", "В"}, uid); }));
    EXPECT_FALSE(data->InTransaction());
}

TEST_F(OperationTest, ExceptionInsideTheBodyCountsAsFailedStatement)
{
    open(path);
    EXPECT_FALSE(data->RunOperation(Codes, [&]() -> bool { throw std::runtime_error("boom"); }));
    EXPECT_EQ(ui.textsOf("error"), QStringList{Codes.statementFailed});
    EXPECT_FALSE(data->InTransaction());
}

}  // namespace
