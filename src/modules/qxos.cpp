// Operating-system layer: the memory pool setter is the one the driver library offers.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxOS_MPool_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxOS_MPool_SetDbgLevel(E_QxOSMPool_DBG_Release)", kSetter, 0),
    tulvak::driver_call(2, "SET QxOS_MPool_SetDbgLevel(E_QxOSMPool_DBG_L1)", kSetter, 1),
};

}  // namespace

void Tulvak_PelvarQXOSConfig() { tulvak::run_menu<kItems>(); }
