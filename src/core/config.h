#pragma once
// The program's settings: one record, filled with defaults and then loaded from the INI file at
// start-up, written back by the options dialog.
#include <QString>
#include <array>
#include <cstdint>

struct TConfig {
    QString WorkDataPath;   // working directory, with a trailing separator
    QString DataPath;       // WorkDataPath + "Data"
    QString ProtPath;       // WorkDataPath + "Prot"
    QString ReportsPath;    // program directory + "Reports"
    QString COMPort = "COM1";
    bool ApplyFilter = true;
    bool ShowButtonCaptions = true;
    bool SaveProt = true;
    bool SaveProtGrad = true;
    int32_t PeriodSaveProt = 7;
    bool UseDiffInADC = true;
    std::array<std::array<double, 7>, 7> AvgFilterK{};
    bool UseFilter1 = false;
    bool UseFilter2 = true;
    bool UseFilterAvg = true;
    bool SkipPauses = false;
    // Several workstations on one database: a Firebird server location ("host:/path/Kem_M.fdb",
    // "host/port:/path"). Empty means the embedded file WorkDataPath + "DB/Kem_M.fdb".
    QString DatabaseLocation;
    QString DatabaseUser = "SYSDBA";
    QString DatabasePassword = "plumbline";
};

// Where the program lives and where its settings and data go.
struct ConfigLocation {
    QString programDir;      // with a trailing separator
    QString defaultWorkDir;  // with a trailing separator
    QString iniPath;
    bool iniWritable = true;
};

// The program directory is used for the INI file when the file exists there or the directory is
// writable; otherwise $XDG_CONFIG_HOME/kemsys. The default working directory is the program
// directory when writable, otherwise $XDG_DATA_HOME/kemsys/.
ConfigLocation ResolveConfigLocation(const QString& programDir, const QString& programName = "kemsys");

// The location of this run (resolved from the running program on first use).
const ConfigLocation& AppConfigLocation();
void SetAppConfigLocation(const ConfigLocation& location);

// The one global settings record.
TConfig& AppConfig();

void SetDefaults(TConfig& config, const ConfigLocation& location = AppConfigLocation());
void LoadConfig(TConfig& config, const ConfigLocation& location = AppConfigLocation());
void SaveConfig(const TConfig& config, const ConfigLocation& location = AppConfigLocation());

// Default weight of the averaging filter for elements |i - j| apart.
double DefaultAvgFilterWeight(int distance);
// Port number of a configured port name: the digits after the first three characters ("COM3" -> 3);
// 1 when that text is not a valid integer.
int PortNumberFromName(const QString& portName);
