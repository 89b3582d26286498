// Serial flash debug levels, NONE (0) to DEBUG (8).
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_NONE)", QxDrv_SERFLASH_SetDbgLevel, 0),
    tulvak::driver_call(2, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_INFO)", QxDrv_SERFLASH_SetDbgLevel, 1),
    tulvak::driver_call(3, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_NOTICE)", QxDrv_SERFLASH_SetDbgLevel, 2),
    tulvak::driver_call(4, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_WARNING)", QxDrv_SERFLASH_SetDbgLevel, 3),
    tulvak::driver_call(5, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_ERR)", QxDrv_SERFLASH_SetDbgLevel, 4),
    tulvak::driver_call(6, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_CRIT)", QxDrv_SERFLASH_SetDbgLevel, 5),
    tulvak::driver_call(7, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_ALERT)", QxDrv_SERFLASH_SetDbgLevel, 6),
    tulvak::driver_call(8, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_EMERG)", QxDrv_SERFLASH_SetDbgLevel, 7),
    tulvak::driver_call(9, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_DEBUG)", QxDrv_SERFLASH_SetDbgLevel, 8),
};

}  // namespace

void Tulvak_PelvarFLASHConfig() { tulvak::run_menu<kItems>(); }
