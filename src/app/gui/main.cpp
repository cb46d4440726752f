// The workstation: start sequence, then the main window's event loop until it closes.
#include "device/device_link.h"
#include "shell/main_window.h"
#include "shell/qt_interaction.h"
#include "shell/startup.h"
#include "refdata/ref_windows.h"
#include "db_module.h"
#include "protocol_file.h"
#include "config.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

namespace {

// Standard dialogs (file choice, context menus) in the user's language.
void installQtTranslation(QApplication& app)
{
    auto* tr = new QTranslator(&app);
    if (tr->load(QLocale(QLocale::Russian), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(tr);
}

// The modules that live for the whole run. Each part plugs in here.
StartupServices makeServices(Interaction& ui)
{
    StartupServices s;
    // s.createReportModule = ...;   report data module
    s.openDatabase = [&ui] { OpenDatabaseAtStartup(ui); };  // database module (throws on failure)
    s.startLink = StartDeviceLink;                           // communication manager on the given port
    s.cleanOldProtocols = [] {                                // protocol files past their storage period
        CleanOldProtocolFiles(AppConfig().ProtPath, AppConfig().PeriodSaveProt);
    };
    s.attachWindows = [](TfrmMain& main) {
        if (HasAppData()) RegisterReferenceWindows(main, AppData());
    };
    return s;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installQtTranslation(app);
    QtInteraction ui;
    const StartupServices services = makeServices(ui);
    std::unique_ptr<TfrmMain> main = RunStartSequence(QApplication::arguments().mid(1), ui, services);
    if (!main) return 1;
    // Fill the screen also where no window manager maximises the window.
    if (QScreen* screen = QGuiApplication::primaryScreen()) main->setGeometry(screen->availableGeometry());
    main->showMaximized();
    return app.exec();
}
