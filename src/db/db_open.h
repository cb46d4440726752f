#pragma once
// Finding and opening the database of the workstation: at start-up (with the fallback to the
// program directory and the first-start creation) and again after the working directory changed.
#include <QString>

class TData;
struct TConfig;
struct ConfigLocation;

inline constexpr char DatabaseFileName[] = "DB/Kem_M.fdb";

// A Firebird server location is configured: no file checks, fallback or creation apply.
bool UsesServer(const TConfig& config);
// WorkDataPath + "DB/Kem_M.fdb", or the configured server location.
QString PrimaryDatabaseLocation(const TConfig& config);

// The location start-up opens: the primary one; for the embedded file, the program directory's
// when the primary file is missing. Sets createHere when neither file exists and the working
// directory is the default one, so that a new user gets a database there.
QString StartupDatabaseLocation(const TConfig& config, const ConfigLocation& where, bool& createHere);

// Opens the database as start-up does and upgrades its schema. Every failure is reported through
// the module's Interaction (E0001 with the location, then the upgrade's messages); nothing is
// thrown for a database that cannot be opened.
void OpenDatabaseForStartup(TData& data, const TConfig& config, const ConfigLocation& where);

// Closes the connection and opens the primary location again: 0 connected, -1 the open failed
// (the connection is then closed), -2 no database file at the primary path (the connection is
// left as it was; never for a server location). No upgrade, no message.
int ReopenDatabase(TData& data, const TConfig& config);

// Creates the version-1 database of a new user (with its DB directory) and reports a failure as a
// plain diagnostic; the open that follows reports E0001.
bool CreateFirstDatabase(TData& data, const QString& path);
