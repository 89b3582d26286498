// Panel debug output, on or off.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxApi_PNL_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "Turn on QxApi_PNL_SetDbgLevel", kSetter, 1),
    tulvak::driver_call(2, "Turn off QxApi_PNL_SetDbgLevel", kSetter, 0),
};

}  // namespace

void Tulvak_PelvarPNLConfig() { tulvak::run_menu<kItems>(); }
