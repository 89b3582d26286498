// Command queue: its setter is not in the driver library, so every level is refused.
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kItems[] = {
    tulvak::refusal(1, "SET QxDrv_CMDQ_SetDbgLevel(E_DRVCMDQ_DBG_Release)", tulvak::kNotSupported),
    tulvak::refusal(2, "SET QxDrv_CMDQ_SetDbgLevel(E_DRVCMDQ_DBG_L1)", tulvak::kNotSupported),
    tulvak::refusal(3, "SET QxDrv_CMDQ_SetDbgLevel(E_DRVCMDQ_DBG_L2)", tulvak::kNotSupported),
};

}  // namespace

void Tulvak_PelvarCMDQConfig() { tulvak::run_menu<kItems>(); }
