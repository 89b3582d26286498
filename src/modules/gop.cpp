// Graphics output path debug levels, LOW (0) to HIGH (2).
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxApi_GOP_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxApi_GOP_SetDbgLevel(E_GOP_Debug_Level_LOW)", kSetter, 0),
    tulvak::driver_call(2, "SET QxApi_GOP_SetDbgLevel(E_GOP_Debug_Level_MED)", kSetter, 1),
    tulvak::driver_call(3, "SET QxApi_GOP_SetDbgLevel(E_GOP_Debug_Level_HIGH)", kSetter, 2),
};

}  // namespace

void Tulvak_PelvarGOPConfig() { tulvak::run_menu<kItems>(); }
