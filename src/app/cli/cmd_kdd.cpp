#include "cli_registry.h"
#include "interaction.h"
#include "kdd_file.h"

#include <QFileInfo>
#include <cstdio>

namespace {

QJsonValue time(const QDateTime& t)
{
    return t.isValid() ? QJsonValue(t.toString(Qt::ISODate)) : QJsonValue();
}

QJsonObject fileHeader(const TKDDFile& f)
{
    return {{"signature", f.Signature()},         {"version", qint64(f.Version())},
            {"fileName", f.StoredFileName()},     {"headerOffset", qint64(f.FileU32(64))},
            {"headerSize", qint64(f.FileU32(68))}, {"sectionOffset", qint64(f.FileU32(72))},
            {"sectionSize", qint64(f.FileU32(76))}};
}

QJsonObject sectionHeader(const TKDDFile& f)
{
    return {{"size", qint64(f.SectionSize())}, {"startTime", time(f.StartTime())},
            {"endTime", time(f.EndTime())},    {"intervalCode", f.IntervalCode()},
            {"interval", f.Interval()},        {"sampleSize", f.SampleSizeField()},
            {"secondTank", f.SecondTank()},    {"speedType", f.SpeedType()},
            {"tachType", f.TachType()},        {"tank1Vol", qint64(f.Tank1Vol())},
            {"tank2Vol", qint64(f.Tank2Vol())}, {"maxIdleRPM", qint64(f.MaxIdleRPM())}};
}

void printSamplesCsv(const TKDDFile& f)
{
    std::printf("index,time,Flags,Speed,PathStep,Path,Tank1,Tank2,RPM,UBoard,Temp\n");
    for (int i = 0; i < f.Count(); ++i) {
        const TKDDSample& s = f.Samples()[size_t(i)];
        const QByteArray t = f.SampleTime(i).toString(Qt::ISODate).toLatin1();
        std::printf("%d,%s,%u,%u,%u,%u,%d,%d,%u,%u,%d\n", i, t.constData(), unsigned(s.Flags), unsigned(s.Speed),
                    unsigned(s.PathStep), unsigned(s.Path), int(s.Tank1), int(s.Tank2), unsigned(s.RPM),
                    unsigned(s.UBoard), int(s.Temp));
    }
    std::fflush(stdout);
}

// "kdd FILE [--samples]": the file and section headers and the sample count as JSON; with
// --samples the samples follow the JSON as CSV (a header line, then one line a sample).
int runKdd(const CliArgs& args, Interaction& ui)
{
    if (args.positional.size() != 1) return CliFail("usage: kdd FILE [--samples]");
    const QString path = args.positional[0];
    if (!QFileInfo(path).isFile()) return CliFail("no such file: " + path);
    const TKDDFile f(path, &ui);
    if (!f.Loaded()) return 1;
    PrintJson({{"file", path},
               {"fileHeader", fileHeader(f)},
               {"section", sectionHeader(f)},
               {"count", f.Count()},
               {"headerIntact", f.Header().IsIntact()},
               {"carNumber", f.Header().CarNumber()},
               {"distanceKm", qint64(f.DistanceKm(f.StartTime(), f.EndTime()))}});
    if (args.has("--samples")) printSamplesCsv(f);
    return 0;
}
const CliCommand reg("kdd", "kdd FILE [--samples]", runKdd);
}  // namespace
