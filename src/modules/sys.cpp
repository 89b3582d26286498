// System driver debug levels, with REG_DUMP between ERR_ONLY and INFO.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxDrv_SYS_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxDrv_SYS_SetDbgLevel(E_SYS_DBGLV_NONE)", kSetter, 0),
    tulvak::driver_call(2, "SET QxDrv_SYS_SetDbgLevel(E_SYS_DBGLV_ERR_ONLY)", kSetter, 1),
    tulvak::driver_call(3, "SET QxDrv_SYS_SetDbgLevel(E_SYS_DBGLV_REG_DUMP)", kSetter, 2),
    tulvak::driver_call(4, "SET QxDrv_SYS_SetDbgLevel(E_SYS_DBGLV_INFO)", kSetter, 3),
    tulvak::driver_call(5, "SET QxDrv_SYS_SetDbgLevel(E_SYS_DBGLV_ALL)", kSetter, 4),
};

}  // namespace

void Tulvak_PelvarSYSConfig() { tulvak::run_menu<kItems>(); }
