#include "db_fixture.h"

#include "db_create.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

QString MakeVersion1Database(const TestDir& dir)
{
    QDir().mkpath(dir.file("DB"));
    const QString path = dir.file("DB/Kem_M.fdb");
    QString error;
    EXPECT_TRUE(CreateDatabase(path, "SYSDBA", "plumbline", error)) << error.toStdString();
    return path;
}

QString Isql(const QString& location, const QString& script, const QString& user, const QString& password)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("isql-fb", {"-q", "-ch", "UTF8", "-user", user, "-password", password, location});
    if (!p.waitForStarted(10000)) return "isql-fb did not start";
    p.write(script.toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAll());
}

QStringList IsqlColumns(const QString& location, const QString& table)
{
    const QString out = Isql(location, QString("SET LIST ON; SELECT TRIM(RDB$FIELD_NAME) AS COL FROM RDB$RELATION_FIELDS "
                                               "WHERE RDB$RELATION_NAME = '%1';\n")
                                           .arg(table.toUpper()));
    QStringList cols;
    static const QRegularExpression line("^COL\\s+(\\S+)\\s*$", QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(out); it.hasNext();) cols << it.next().captured(1);
    return cols;
}

void DbTest::SetUp() { path = MakeVersion1Database(dir); }

TData& DbTest::open(const QString& p)
{
    data.reset();
    data = std::make_unique<TData>(ui);
    EXPECT_TRUE(data->Open(p)) << data->LastErrorText().toStdString();
    return *data;
}

void DbTest::prepare(const QString& p, const QStringList& statements)
{
    SilentInteraction silent;
    TData d(silent);
    ASSERT_TRUE(d.Open(p)) << d.LastErrorText().toStdString();
    for (const QString& s : statements) {
        ASSERT_TRUE(d.Exec(s)) << s.toStdString() << ": " << d.LastErrorText().toStdString();
        ASSERT_TRUE(d.Commit()) << d.LastErrorText().toStdString();
    }
}
