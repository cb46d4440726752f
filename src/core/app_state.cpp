#include "app_state.h"

#include "config.h"

TAppState& AppState()
{
    static TAppState state;
    return state;
}

QString EffectivePortName()
{
    return AppState().PortOverride.isEmpty() ? AppConfig().COMPort : AppState().PortOverride;
}
