// MVOP debug levels, counted from 1: this driver has no "off" value.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxDrv_MVOP_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxDrv_MVOP_SetDbgLevel(DBG)", kSetter, 1),
    tulvak::driver_call(2, "SET QxDrv_MVOP_SetDbgLevel(TIMING_DBG)", kSetter, 2),
    tulvak::driver_call(3, "SET QxDrv_MVOP_SetDbgLevel(INPUT_DBG)", kSetter, 3),
    tulvak::driver_call(4, "SET QxDrv_MVOP_SetDbgLevel(DBG_VERBAL)", kSetter, 4),
};

}  // namespace

void Tulvak_PelvarMVOPConfig() { tulvak::run_menu<kItems>(); }
