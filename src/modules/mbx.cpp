// Mailbox debug masks; ALL is the four categories together.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxDrv_MBX_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_NONE)", kSetter, 0x00),
    tulvak::driver_call(2, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_MBXHAL)", kSetter, 0x01),
    tulvak::driver_call(3, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_MSGQ)", kSetter, 0x02),
    tulvak::driver_call(4, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_MBXINT)", kSetter, 0x04),
    tulvak::driver_call(5, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_CRITICAL)", kSetter, 0x08),
    tulvak::driver_call(6, "SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_ALL)", kSetter, 0x0F),
};

}  // namespace

void Tulvak_PelvarMBXConfig() { tulvak::run_menu<kItems>(); }
