#pragma once
// Names of new data, protocol and car files: "yymmdd_" + car number + "_", padded with "_" or cut
// to 15 characters, then "_000" ... "_999" when the plain name is taken.
#include <QDate>
#include <QString>

// The full path of a file that does not exist yet; empty when all thousand names of the day are
// taken (an existing file is never reused). Characters a file name cannot hold ("/", control
// characters, NUL) in the car number become "_", so the name never leaves its directory.
QString MakeFileName(const QString& carNumber, const QString& directory, const QString& extension, const QDate& date);

// The 15-character base of a name, without directory, suffix and extension.
QString FileNameBase(const QString& carNumber, const QDate& date);
