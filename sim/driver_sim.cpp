// Each entry point only reports its call: the console's contract with the
// driver library ends at the name and the value passed.
#include "driver/entry_points.h"
#include "tulvak_sim.h"

#define SIM_API extern "C" __attribute__((visibility("default")))

namespace {

tulvak_sim_observer current_observer = nullptr;

void report(const char *entry_point, int value) {
    if (current_observer != nullptr) current_observer(entry_point, value);
}

}  // namespace

void tulvak_sim_observe(tulvak_sim_observer observer) { current_observer = observer; }

SIM_API void QxApi_XC_ACE_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_AESDMA_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxApi_DDC2BI_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_COPRO_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxApi_XC_DLC_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxApi_DMX_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_SERFLASH_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxApi_GOP_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_HWI2C_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxApi_JPEG_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_MBX_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxOS_MPool_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_MVOP_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_PM_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxApi_PNL_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_PWM_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_PWS_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_SC_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_SYS_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxDrv_VE_SetDbgLevel(int level) { report(__func__, level); }
SIM_API void QxApi_XC_SetDbgLevel(int level) { report(__func__, level); }
