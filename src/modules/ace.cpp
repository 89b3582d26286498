// Adaptive contrast (ACE) debug output, on or off.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxApi_XC_ACE_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "Turn on QxApi_XC_ACE_SetDbgLevel", kSetter, 1),
    tulvak::driver_call(2, "Turn off QxApi_XC_ACE_SetDbgLevel", kSetter, 0),
};

}  // namespace

void Tulvak_PelvarACEConfig() { tulvak::run_menu<kItems>(); }
