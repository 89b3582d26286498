// Multimedia file input: its setter is not in the driver library, so every item is refused.
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kItems[] = {
    tulvak::refusal(1, "SET QxDrv_MMFI_SetDbgLevel(E_DRVMMFI_DBG_Release)", tulvak::kNotSupported),
    tulvak::refusal(2, "SET QxDrv_MMFI_SetDbgLevel(E_DRVMMFI_DBG_ERR)", tulvak::kNotSupported),
    tulvak::refusal(3, "SET QxDrv_MMFI_SetDbgLevel(E_DRVMMFI_DBG_INFO)", tulvak::kNotSupported),
};

}  // namespace

void Tulvak_PelvarMMFIConfig() { tulvak::run_menu<kItems>(); }
