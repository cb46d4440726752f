#pragma once
// The start sequence of the workstation. The modules that live for the whole run (database, report
// data, communication manager) plug in through StartupServices, so main() stays a few lines and
// tests can run the sequence with stand-ins.
#include "core/interaction.h"

#include <QStringList>
#include <functional>
#include <memory>

class TfrmMain;

struct StartupServices {
    // The report data module; runs while the splash window is up.
    std::function<void()> createReportModule;
    // Opens the database and brings its schema up to date. Throwing anything ends the program with
    // the database message.
    std::function<void()> openDatabase;
    // Creates the communication manager, connects its device notifications to
    // TfrmMain::onDeviceConnected / onDeviceLost (queued), sets the main window's DeviceStatusHooks
    // and starts the worker on the given port (a configured "COMn" or a device path).
    std::function<void(TfrmMain& main, const QString& portName)> startLink;
    // Deletes protocol files older than the configured storage period.
    std::function<void()> cleanOldProtocols;
    // Registers the windows of the program with the main window (registerWindowCommand / registerCommand).
    std::function<void(TfrmMain& main)> attachWindows;
};

inline constexpr int kMinimumSplashMs = 3000;

// Runs the start sequence: titles, settings, command-line switches, main window, splash, database,
// link, protocol clean-up, then keeps the splash up until minimumSplashMs have passed since it
// appeared (processing events, so it stays painted). Returns the main window, not yet shown, or
// null when the database could not be opened (the message has been shown through ui).
// arguments: the command line without the program name. The hooks other than openDatabase must
// report their own failures and not throw.
std::unique_ptr<TfrmMain> RunStartSequence(const QStringList& arguments, Interaction& ui,
                                           const StartupServices& services, int minimumSplashMs = kMinimumSplashMs);

// The text of the one start-up failure the program reports.
inline constexpr const char* kDatabaseStartupError = "Внутренняя ошибка или не найден сервер базы данных FireBird!";
inline constexpr const char* kDatabaseStartupCaption = "Ошибка!";
