// Demultiplexer debug levels. The values are the driver's own level numbers, not
// positions: NONE comes last, and FUNC is 5 (4, PVR, is offered only by the TSP menu).
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxApi_DMX_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxApi_DMX_SetDbgLevel(DMX_DBG_ERR)", kSetter, 1),
    tulvak::driver_call(2, "SET QxApi_DMX_SetDbgLevel(DMX_DBG_WARN)", kSetter, 2),
    tulvak::driver_call(3, "SET QxApi_DMX_SetDbgLevel(DMX_DBG_INFO)", kSetter, 3),
    tulvak::driver_call(4, "SET QxApi_DMX_SetDbgLevel(DMX_DBG_FUNC)", kSetter, 5),
    tulvak::driver_call(5, "SET QxApi_DMX_SetDbgLevel(DMX_DBG_NONE)", kSetter, 0),
};

}  // namespace

void Tulvak_PelvarDMXConfig() { tulvak::run_menu<kItems>(); }
