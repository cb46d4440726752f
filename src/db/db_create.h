#pragma once
// Creating a new database: an empty file (or a server database) with dialect 3 and default
// character set UTF8, then the version-1 tables. An existing database is never overwritten.
#include <QString>

// location: a file path or a server location ("host:/path/Kem_M.fdb"). The directory of a file
// must exist. On failure returns false and sets error to the engine's text.
bool CreateDatabase(const QString& location, const QString& user, const QString& password, QString& error);
