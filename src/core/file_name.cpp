#include "file_name.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int kBaseLength = 15;
constexpr int kMaxSuffix = 999;

QString safeForFileName(QString text)
{
    for (QChar& c : text)
        if (c == '/' || c.unicode() < 32 || c.unicode() == 127) c = '_';
    return text;
}
}  // namespace

QString FileNameBase(const QString& carNumber, const QDate& date)
{
    QString base = QString::asprintf("%.2d%.2d%.2d_", date.year() % 100, date.month(), date.day());
    base += carNumber.isEmpty() ? QString(9, '_') : safeForFileName(carNumber) + '_';
    if (base.size() < kBaseLength + 1) return base.leftJustified(kBaseLength, '_');
    return base.left(kBaseLength);
}

QString MakeFileName(const QString& carNumber, const QString& directory, const QString& extension, const QDate& date)
{
    QString dir = directory;
    if (!dir.isEmpty() && !dir.endsWith('/')) dir += '/';
    const QString base = FileNameBase(carNumber, date);
    QString name = base;
    if (QDir(directory).exists() && QFileInfo::exists(dir + name + extension)) {
        name.clear();
        for (int i = 0; i <= kMaxSuffix && name.isEmpty(); ++i) {
            const QString candidate = base + QString::asprintf("_%.3d", i);
            if (!QFileInfo::exists(dir + candidate + extension)) name = candidate;
        }
        if (name.isEmpty()) return {};
    }
    return dir + name + extension;
}
