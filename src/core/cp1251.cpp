#include "cp1251.h"

#include <QTextCodec>

namespace {
QTextCodec* codec()
{
    static QTextCodec* const c = QTextCodec::codecForName("Windows-1251");
    return c;
}
}  // namespace

QByteArray ToCp1251(const QString& text)
{
    return codec()->fromUnicode(text);
}

QString FromCp1251(const QByteArray& bytes)
{
    return codec()->toUnicode(bytes);
}

QString FromCp1251(const char* data, int length)
{
    return codec()->toUnicode(data, length);
}
