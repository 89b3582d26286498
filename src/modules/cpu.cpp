// Co-processor (COPRO) debug levels.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxDrv_COPRO_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxDrv_COPRO_SetDbgLevel(E_COPRO_DBGLV_NONE)", kSetter, 0),
    tulvak::driver_call(2, "SET QxDrv_COPRO_SetDbgLevel(E_COPRO_DBGLV_ERR_ONLY)", kSetter, 1),
    tulvak::driver_call(3, "SET QxDrv_COPRO_SetDbgLevel(E_COPRO_DBGLV_INFO)", kSetter, 2),
    tulvak::driver_call(4, "SET QxDrv_COPRO_SetDbgLevel(E_COPRO_DBGLV_ALL)", kSetter, 3),
};

}  // namespace

void Tulvak_PelvarCPUConfig() { tulvak::run_menu<kItems>(); }
