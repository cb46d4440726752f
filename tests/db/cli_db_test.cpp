// kemsys-cli db create: a ready database of the current version on purpose, never over an
// existing file.
#include "cli_run.h"
#include "db_fixture.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

TEST(CliDbCreate, CreatesAVersion2DatabaseAndRefusesAnExistingFile)
{
    if (!QFileInfo::exists(QString(KEM_BIN_DIR) + "/kemsys-cli")) GTEST_SKIP() << "kemsys-cli is not built";
    TestDir dir;
    const QString path = dir.file("нов ый/DB/Kem_M.fdb");  // directories are made, blanks and Cyrillic kept
    const CliRun first = RunCli({"db", "create", path});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(first.out).object();
    EXPECT_EQ(o.value("location").toString(), path);
    EXPECT_EQ(o.value("schemaVersion").toInt(), 2);
    EXPECT_TRUE(QString::fromUtf8(first.err).contains("Выполнено обновление структуры базы данных до версии 2"));
    EXPECT_TRUE(Isql(path, "SET LIST ON; SELECT DB_VERSION FROM T_SERVICE;\n").contains("DB_VERSION                      2"));

    const qint64 size = QFileInfo(path).size();
    const CliRun second = RunCli({"db", "create", path});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.err.contains("already exists"));
    EXPECT_EQ(QFileInfo(path).size(), size);
}

}  // namespace
