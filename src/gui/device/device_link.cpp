#include "device_link.h"

#include "core/app_state.h"
#include "core/config.h"
#include "device_operations.h"
#include "kem_comm_dm.h"
#include "logging_transport.h"
#include "serial_transport.h"
#include "shell/main_window.h"

#include <QPointer>

namespace {
QPointer<TKemCommDM> g_manager;
std::unique_ptr<DeviceOperations> g_operations;

std::unique_ptr<LinkTransport> MakeTransport()
{
    auto serial = std::make_unique<SerialTransport>();
    if (!AppState().DebugMode) return serial;
    return std::make_unique<LoggingTransport>(std::move(serial), LoggingTransport::LogPathIn(AppConfig().ProtPath));
}
}  // namespace

void StartDeviceLink(TfrmMain& main, const QString& portName)
{
    // Child of the main window: it is destroyed (and the worker stopped) when the main window goes.
    auto* dm = new TKemCommDM(std::make_unique<TKemProtoLL>(MakeTransport()), &main);
    g_manager = dm;
    g_operations = std::make_unique<DeviceOperations>(*dm, main.progressHost());
    QObject::connect(dm, &QObject::destroyed, [] { g_operations.reset(); });
    QPointer<TfrmMain> window(&main);
    g_operations->SetAfterRefresh([window] {
        if (window) window->setEnabled(true);
    });

    DeviceStatusHooks hooks;
    hooks.fetchCarrierMode = [dm]() -> std::optional<uint8_t> {
        if (!dm->FetchDeviceState()) return std::nullopt;
        return dm->Status().Mode;
    };
    // The device information window attaches itself here when it exists (openDeviceInformation).
    main.setDeviceStatusHooks(std::move(hooks));
    // The manager delivers its notifications on this (the main) thread, in the order posted.
    dm->SetOnConnect([window] {
        if (window) window->onDeviceConnected();
    });
    dm->SetOnDisconnect([window] {
        if (window) window->onDeviceLost();
    });
    dm->StartLink(portName);
}

TKemCommDM* CommDM()
{
    return g_manager.data();
}

DeviceOperations* DeviceOps()
{
    return g_manager ? g_operations.get() : nullptr;
}
