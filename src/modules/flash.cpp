// Serial flash debug levels, NONE (0) to DEBUG (8).
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxDrv_SERFLASH_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_NONE)", kSetter, 0),
    tulvak::driver_call(2, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_INFO)", kSetter, 1),
    tulvak::driver_call(3, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_NOTICE)", kSetter, 2),
    tulvak::driver_call(4, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_WARNING)", kSetter, 3),
    tulvak::driver_call(5, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_ERR)", kSetter, 4),
    tulvak::driver_call(6, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_CRIT)", kSetter, 5),
    tulvak::driver_call(7, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_ALERT)", kSetter, 6),
    tulvak::driver_call(8, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_EMERG)", kSetter, 7),
    tulvak::driver_call(9, "SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_DEBUG)", kSetter, 8),
};

}  // namespace

void Tulvak_PelvarFLASHConfig() { tulvak::run_menu<kItems>(); }
