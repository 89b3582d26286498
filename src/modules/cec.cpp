// CEC debug output, which the driver library switches through the DDC2BI setter.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxApi_DDC2BI_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "Turn on QxApi_DDC2BI_SetDbgLevel", kSetter, 1),
    tulvak::driver_call(2, "Turn off QxApi_DDC2BI_SetDbgLevel", kSetter, 0),
};

}  // namespace

void Tulvak_PelvarCECConfig() { tulvak::run_menu<kItems>(); }
