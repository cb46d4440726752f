#pragma once
// The one database module of the run, created by the start sequence and shared by every window.
class Interaction;
class TData;

// Creates the module on the global settings (AppConfig, AppConfigLocation), opens the database and
// upgrades its schema. A database that cannot be opened is reported (E0001 ...) and the program
// goes on without a connection. Throws std::runtime_error only on an internal failure (no Firebird
// driver in Qt SQL); the start sequence then shows its fatal message and ends the program.
void OpenDatabaseAtStartup(Interaction& ui);

// The module created by OpenDatabaseAtStartup; throws std::logic_error before that.
TData& AppData();
bool HasAppData();
// ReopenDatabase on the module with the global settings (0, -1, -2).
int ReopenAppDatabase();
// Ends the connection and frees the module (program end).
void CloseAppData();
