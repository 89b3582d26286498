// Mailbox debug masks; ALL is the four categories together.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_NONE)", QxDrv_MBX_SetDbgLevel, 0x00),
    tulvak::driver_call(2, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_MBXHAL)", QxDrv_MBX_SetDbgLevel, 0x01),
    tulvak::driver_call(3, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_MSGQ)", QxDrv_MBX_SetDbgLevel, 0x02),
    tulvak::driver_call(4, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_MBXINT)", QxDrv_MBX_SetDbgLevel, 0x04),
    tulvak::driver_call(5, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_CRITICAL)", QxDrv_MBX_SetDbgLevel, 0x08),
    tulvak::driver_call(6, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_ALL)", QxDrv_MBX_SetDbgLevel, 0x0F),
};

}  // namespace

void Tulvak_PelvarMBXConfig() { tulvak::run_menu<kItems>(); }
