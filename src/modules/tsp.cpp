// Transport stream processor: its levels go through the demultiplexer's setter, with
// the same value for each level name as the DMX menu, plus PVR.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxApi_DMX_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxApi_DMX_SetDbgLevel(DMX_DBG_NONE)", kSetter, 0),
    tulvak::driver_call(2, "SET QxApi_DMX_SetDbgLevel(DMX_DBG_ERR)", kSetter, 1),
    tulvak::driver_call(3, "SET QxApi_DMX_SetDbgLevel(DMX_DBG_WARN)", kSetter, 2),
    tulvak::driver_call(4, "SET QxApi_DMX_SetDbgLevel(DMX_DBG_INFO)", kSetter, 3),
    tulvak::driver_call(5, "SET QxApi_DMX_SetDbgLevel(DMX_DBG_PVR)", kSetter, 4),
    tulvak::driver_call(6, "SET QxApi_DMX_SetDbgLevel(DMX_DBG_FUNC)", kSetter, 5),
};

}  // namespace

void Tulvak_PelvarTSPConfig() { tulvak::run_menu<kItems>(); }
