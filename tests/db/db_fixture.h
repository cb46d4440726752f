#pragma once
// Real embedded Firebird databases in temporary directories, opened through TData with a
// scripted Interaction that records every message.
#include "data.h"
#include "scripted_interaction.h"
#include "temp_dir.h"

#include <QString>
#include <gtest/gtest.h>
#include <memory>

// A new version-1 database (the compiled-in script) at dir/DB/Kem_M.fdb; fails the test when it
// cannot be created.
QString MakeVersion1Database(const TestDir& dir);

// Runs isql-fb on a database with the given script on stdin; returns stdout + stderr.
QString Isql(const QString& location, const QString& script, const QString& user = "SYSDBA",
             const QString& password = "plumbline");

// The upper-case column names of a table, read with isql-fb (not through the program).
QStringList IsqlColumns(const QString& location, const QString& table);

class DbTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Opens the database with a fresh TData (messages go to ui).
    TData& open(const QString& path);
    // Runs statements outside the program's module (schema changes of a fixture).
    void prepare(const QString& path, const QStringList& statements);

    TestDir dir;
    ScriptedInteraction ui;
    QString path;  // the version-1 database of this test
    std::unique_ptr<TData> data;
};
