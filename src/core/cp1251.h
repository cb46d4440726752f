#pragma once
// Windows-1251: the single-byte texts of the order header and of the fuel export file. Inside the
// program texts are QString; bytes are made only where they leave it.
#include <QByteArray>
#include <QString>

// Characters without a Windows-1251 code become "?".
QByteArray ToCp1251(const QString& text);
QString FromCp1251(const QByteArray& bytes);
QString FromCp1251(const char* data, int length);
