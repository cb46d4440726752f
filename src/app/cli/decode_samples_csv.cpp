#include "decode_samples_csv.h"

#include <QDateTime>
#include <QFile>
#include <QTextStream>

bool WriteSamplesCsv(const QString& path, const TKDDData& samples, double start)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << "minute,time,flags,speed_kmh,path_step_m,path_m,tank1_l,tank2,rpm,count3,count4,inputs,"
           "uboard_v,temp_c\n";
    const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    const qint64 startSecs = qRound64(start * 86400.0);
    for (size_t i = 0; i < samples.size(); ++i) {
        const TKDDSample& s = samples[i];
        const QDateTime t = epoch.addSecs(startSecs + qint64(i + 1) * 60);
        out << i << ',' << t.toString("yyyy-MM-dd HH:mm") << ",0x" << QString::number(s.Flags, 16) << ','
            << s.Speed << ',' << s.PathStep << ',' << s.Path << ',' << QString::number(s.Tank1 / 100.0, 'f', 2)
            << ',' << s.Tank2 << ',' << s.RPM << ',' << s.Count3 << ',' << s.Count4 << ',' << s.Inputs << ','
            << QString::number(s.UBoard / 100.0, 'f', 2) << ',' << (int(s.Temp) + 50) << '\n';
    }
    out.flush();
    return file.error() == QFileDevice::NoError;
}
