#include "startup.h"

#include "about_window.h"
#include "core/app_state.h"
#include "core/command_line.h"
#include "core/config.h"
#include "main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

void loadSettingsAndSwitches(const QStringList& arguments)
{
    SetDefaults(AppConfig());
    LoadConfig(AppConfig());
    AppState().RememberedCarrierMode = 0;
    ApplyCommandLine(ParseCommandLine(arguments));
}

// Waits without blocking the event loop, so the splash window keeps painting.
void keepSplashUntil(const QElapsedTimer& shown, int minimumMs)
{
    const qint64 left = minimumMs - shown.elapsed();
    if (left <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(int(left), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool openDatabase(const StartupServices& services)
{
    if (!services.openDatabase) return true;
    try {
        services.openDatabase();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

std::unique_ptr<TfrmMain> RunStartSequence(const QStringList& arguments, Interaction& ui,
                                           const StartupServices& services, int minimumSplashMs)
{
    QApplication::setApplicationName("Система регистрации автомобильных параметров");
    loadSettingsAndSwitches(arguments);
    auto main = std::make_unique<TfrmMain>();

    TfrmAbout splash;
    if (services.createReportModule) services.createReportModule();
    QElapsedTimer shown;
    shown.start();
    splash.showAsSplash();
    QApplication::processEvents();

    if (!openDatabase(services)) {
        splash.hide();
        ui.plain(kDatabaseStartupError, kDatabaseStartupCaption);
        return nullptr;
    }
    if (services.startLink) services.startLink(*main, EffectivePortName());
    if (services.cleanOldProtocols) services.cleanOldProtocols();
    if (services.attachWindows) services.attachWindows(*main);

    keepSplashUntil(shown, minimumSplashMs);
    splash.hide();
    return main;
}
