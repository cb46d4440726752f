#include "config.h"

#include "ini_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cmath>

namespace {

QString withSlash(QString dir)
{
    if (!dir.endsWith('/')) dir += '/';
    return dir;
}

bool dirWritable(const QString& dir)
{
    const QFileInfo fi(dir);
    return fi.isDir() && fi.isWritable();
}

QString xdgDir(const char* var, const QString& fallbackUnderHome)
{
    QString base = qEnvironmentVariable(var);
    if (base.isEmpty()) base = QDir::homePath() + fallbackUnderHome;
    return withSlash(base) + "kemsys/";
}

QString boolText(bool v) { return v ? "1" : "0"; }
QString floatText(double v) { return QString::number(v, 'g', 15); }

std::optional<qlonglong> parseInteger(QString t)
{
    t = t.trimmed();
    bool ok = false;
    qlonglong v = 0;
    if (t.startsWith("0x", Qt::CaseInsensitive)) v = t.mid(2).toLongLong(&ok, 16);
    else if (t.startsWith('$')) v = t.mid(1).toLongLong(&ok, 16);
    else v = t.toLongLong(&ok, 10);
    if (!ok) return std::nullopt;
    return v;
}

// A present value that does not parse keeps the field as it is.
void readBool(const IniFile& ini, const char* section, const char* key, bool& field)
{
    if (auto v = ini.value(section, key))
        if (auto n = parseInteger(*v)) field = (*n != 0);
}

void readInt(const IniFile& ini, const char* section, const char* key, int32_t& field)
{
    if (auto v = ini.value(section, key))
        if (auto n = parseInteger(*v); n && *n >= INT32_MIN && *n <= INT32_MAX) field = int32_t(*n);
}

void readFloat(const IniFile& ini, const QString& section, const QString& key, double& field)
{
    if (auto v = ini.value(section, key)) {
        QString t = v->trimmed();
        t.replace(',', '.');  // written with a point, accepted with either separator
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (ok && std::isfinite(d)) field = d;
    }
}

void readText(const IniFile& ini, const char* section, const char* key, QString& field)
{
    if (auto v = ini.value(section, key)) field = *v;
}

QString avgKey(int i, int j) { return QString("AvgFilterK%1.%2").arg(i).arg(j); }

void writeAll(IniFile& ini, const TConfig& c)
{
    ini.setValue("COMMON", "WorkDataPath", c.WorkDataPath);
    ini.setValue("COMMON", "COMPort", c.COMPort);
    ini.setValue("COMMON", "ApplyFilter", boolText(c.ApplyFilter));
    ini.setValue("COMMON", "ShowButtonCaptions", boolText(c.ShowButtonCaptions));
    ini.setValue("COMMON", "SaveProt", boolText(c.SaveProt));
    ini.setValue("COMMON", "SaveProtGrad", boolText(c.SaveProtGrad));
    ini.setValue("COMMON", "PeriodSaveProt", QString::number(c.PeriodSaveProt));
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j) ini.setValue("FILTER", avgKey(i, j), floatText(c.AvgFilterK[i][j]));
    ini.setValue("FILTER", "UseFilter1", boolText(c.UseFilter1));
    ini.setValue("FILTER", "UseFilter2", boolText(c.UseFilter2));
    ini.setValue("FILTER", "UseFilterAvg", boolText(c.UseFilterAvg));
    ini.setValue("FILTER", "SkipPauses", boolText(c.SkipPauses));
    ini.setValue("COMMON", "UseDiffInADC", boolText(c.UseDiffInADC));
    ini.setValue("COMMON", "DatabaseLocation", c.DatabaseLocation);
    ini.setValue("COMMON", "DatabaseUser", c.DatabaseUser);
    ini.setValue("COMMON", "DatabasePassword", c.DatabasePassword);
}

// Reads a key when present; otherwise writes the current value back (the keys that are always
// kept complete in the file).
template <typename Read, typename Text>
void readOrWrite(IniFile& ini, const char* section, const char* key, Read read, Text text)
{
    if (ini.value(section, key)) read();
    else ini.setValue(section, key, text());
}

}  // namespace

double DefaultAvgFilterWeight(int distance)
{
    static const double w[7] = {1.0, 0.3, 0.2, 0.1, 0.05, 0.02, 0.01};
    return (distance >= 0 && distance < 7) ? w[distance] : 0.0;
}

int PortNumberFromName(const QString& portName)
{
    bool ok = false;
    const int n = portName.mid(3).toInt(&ok, 10);
    return ok ? n : 1;
}

ConfigLocation ResolveConfigLocation(const QString& programDir, const QString& programName)
{
    ConfigLocation loc;
    loc.programDir = withSlash(programDir);
    const bool programDirWritable = dirWritable(loc.programDir);
    loc.defaultWorkDir = programDirWritable ? loc.programDir : xdgDir("XDG_DATA_HOME", "/.local/share");

    const QString beside = loc.programDir + programName + ".INI";
    const QFileInfo besideInfo(beside);
    if (besideInfo.exists() || programDirWritable) {
        loc.iniPath = beside;
        loc.iniWritable = besideInfo.exists() ? besideInfo.isWritable() && programDirWritable : true;
        return loc;
    }
    const QString dir = xdgDir("XDG_CONFIG_HOME", "/.config");
    loc.iniPath = dir + programName + ".INI";
    loc.iniWritable = QDir().mkpath(dir) && dirWritable(dir);
    return loc;
}

namespace {
ConfigLocation& locationSlot()
{
    static ConfigLocation loc = [] {
        const QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
        return ResolveConfigLocation(dir);
    }();
    return loc;
}
}  // namespace

const ConfigLocation& AppConfigLocation() { return locationSlot(); }
void SetAppConfigLocation(const ConfigLocation& location) { locationSlot() = location; }

TConfig& AppConfig()
{
    static TConfig config;
    return config;
}

void SetDefaults(TConfig& c, const ConfigLocation& loc)
{
    c = TConfig{};
    c.WorkDataPath = loc.defaultWorkDir;
    c.DataPath = c.WorkDataPath + "Data";
    c.ProtPath = c.WorkDataPath + "Prot";
    c.ReportsPath = (dirWritable(loc.programDir) ? loc.programDir : loc.defaultWorkDir) + "Reports";
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j) c.AvgFilterK[i][j] = DefaultAvgFilterWeight(std::abs(i - j));
}

void LoadConfig(TConfig& c, const ConfigLocation& loc)
{
    IniFile ini(loc.iniPath);
    if (!ini.existed()) {
        SaveConfig(c, loc);
        ini = IniFile(loc.iniPath);
    }
    // An empty working directory would put the database wherever the program happens to be started.
    readOrWrite(ini, "COMMON", "WorkDataPath", [&] {
            if (auto v = ini.value("COMMON", "WorkDataPath"); !v->trimmed().isEmpty()) c.WorkDataPath = *v;
        }, [&] { return c.WorkDataPath; });
    c.DataPath = c.WorkDataPath + "Data";
    c.ProtPath = c.WorkDataPath + "Prot";

    readOrWrite(ini, "COMMON", "COMPort", [&] { readText(ini, "COMMON", "COMPort", c.COMPort); }, [&] { return c.COMPort; });
    const std::initializer_list<std::pair<const char*, bool*>> flags = {
        {"ApplyFilter", &c.ApplyFilter}, {"ShowButtonCaptions", &c.ShowButtonCaptions},
        {"SaveProt", &c.SaveProt}, {"SaveProtGrad", &c.SaveProtGrad}};
    for (const auto& flag : flags) {
        // Plain names, not a structured binding: clang before 16 cannot capture bindings in lambdas.
        const char* key = flag.first;
        bool* field = flag.second;
        readOrWrite(ini, "COMMON", key, [&] { readBool(ini, "COMMON", key, *field); }, [&] { return boolText(*field); });
    }
    readOrWrite(ini, "COMMON", "PeriodSaveProt", [&] { readInt(ini, "COMMON", "PeriodSaveProt", c.PeriodSaveProt); },
                [&] { return QString::number(c.PeriodSaveProt); });

    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 7; ++j) readFloat(ini, "FILTER", avgKey(i, j), c.AvgFilterK[i][j]);
    readBool(ini, "FILTER", "UseFilter1", c.UseFilter1);
    readBool(ini, "FILTER", "UseFilter2", c.UseFilter2);
    readBool(ini, "FILTER", "UseFilterAvg", c.UseFilterAvg);
    readBool(ini, "FILTER", "SkipPauses", c.SkipPauses);

    readOrWrite(ini, "COMMON", "UseDiffInADC", [&] { readBool(ini, "COMMON", "UseDiffInADC", c.UseDiffInADC); },
                [&] { return boolText(c.UseDiffInADC); });

    readText(ini, "COMMON", "DatabaseLocation", c.DatabaseLocation);
    readText(ini, "COMMON", "DatabaseUser", c.DatabaseUser);
    readText(ini, "COMMON", "DatabasePassword", c.DatabasePassword);

    if (ini.dirty() && loc.iniWritable) ini.save();  // a failed write-back is not the user's concern
}

void SaveConfig(const TConfig& c, const ConfigLocation& loc)
{
    if (!loc.iniWritable) return;
    IniFile ini(loc.iniPath);
    writeAll(ini, c);
    ini.save();
}
