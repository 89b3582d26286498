// MPIF: its setter is not in the driver library, so every level is refused.
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kItems[] = {
    tulvak::refusal(1, "SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_NONE)", tulvak::kNotSupported),
    tulvak::refusal(2, "SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_INFO)", tulvak::kNotSupported),
    tulvak::refusal(3, "SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_NOTICE)", tulvak::kNotSupported),
    tulvak::refusal(4, "SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_WARNING)", tulvak::kNotSupported),
    tulvak::refusal(5, "SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_ERR)", tulvak::kNotSupported),
    tulvak::refusal(6, "SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_CRIT)", tulvak::kNotSupported),
    tulvak::refusal(7, "SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_ALERT)", tulvak::kNotSupported),
    tulvak::refusal(8, "SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_EMERG)", tulvak::kNotSupported),
    tulvak::refusal(9, "SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_DEBUG)", tulvak::kNotSupported),
};

}  // namespace

void Tulvak_PelvarMPIFConfig() { tulvak::run_menu<kItems>(); }
