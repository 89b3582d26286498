// AES DMA engine debug levels, from release (0) upward.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxDrv_AESDMA_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxDrv_AESDMA_SetDbgLevel(E_DRVAESDMA_DBG_Release)", kSetter, 0),
    tulvak::driver_call(2, "SET QxDrv_AESDMA_SetDbgLevel(E_DRVAESDMA_DBG_L1)", kSetter, 1),
    tulvak::driver_call(3, "SET QxDrv_AESDMA_SetDbgLevel(E_DRVAESDMA_DBG_L2)", kSetter, 2),
};

}  // namespace

void Tulvak_PelvarAESDMAConfig() { tulvak::run_menu<kItems>(); }
