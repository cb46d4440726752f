#pragma once
// The compiled-in script of a version-1 database, split into its statements.
#include <QStringList>

// Splits an SQL script at ";" outside quotes and comments; comments are dropped, empty
// statements skipped.
QStringList SplitSqlScript(const QString& script);

// The statements of resources/db/schema-v1.sql.
QStringList SchemaV1Statements();
