// MPEG video decoder: its setter is not in the driver library, so every item is refused.
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kItems[] = {
    tulvak::refusal(1, "SET QxDrv_MVD_SetDbgLevel(None)", tulvak::kNotSupported),
    tulvak::refusal(2, "SET QxDrv_MVD_SetDbgLevel(MVD_DEBUGERROR)", tulvak::kNotSupported),
    tulvak::refusal(3, "SET QxDrv_MVD_SetDbgLevel(MVD_DEBUGINFO)", tulvak::kNotSupported),
};

}  // namespace

void Tulvak_PelvarMVDConfig() { tulvak::run_menu<kItems>(); }
