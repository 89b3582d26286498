// Power management debug levels, NONE (0) to ALL (3).
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxDrv_PM_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxDrv_PM_SetDbgLevel(E_PM_DBGLV_NONE)", kSetter, 0),
    tulvak::driver_call(2, "SET QxDrv_PM_SetDbgLevel(E_PM_DBGLV_ERR_ONLY)", kSetter, 1),
    tulvak::driver_call(3, "SET QxDrv_PM_SetDbgLevel(E_PM_DBGLV_INFO)", kSetter, 2),
    tulvak::driver_call(4, "SET QxDrv_PM_SetDbgLevel(E_PM_DBGLV_ALL)", kSetter, 3),
};

}  // namespace

void Tulvak_PelvarPMConfig() { tulvak::run_menu<kItems>(); }
