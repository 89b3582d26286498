// Video encoder debug output, on or off.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxDrv_VE_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "Turn on QxDrv_VE_SetDbgLevel", kSetter, 1),
    tulvak::driver_call(2, "Turn off QxDrv_VE_SetDbgLevel", kSetter, 0),
};

}  // namespace

void Tulvak_PelvarVEConfig() { tulvak::run_menu<kItems>(); }
