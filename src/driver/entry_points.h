// Debug-level setters of the closed driver library. The library never defines
// them: they bind at load time to the driver library the host has loaded.
#ifndef TULVAK_DRIVER_ENTRY_POINTS_H
#define TULVAK_DRIVER_ENTRY_POINTS_H

#ifdef __cplusplus
extern "C" {
#endif

void QxApi_XC_ACE_SetDbgLevel(int level);
void QxDrv_AESDMA_SetDbgLevel(int level);
void QxApi_DDC2BI_SetDbgLevel(int level);
void QxDrv_COPRO_SetDbgLevel(int level);
void QxApi_XC_DLC_SetDbgLevel(int level);
void QxApi_DMX_SetDbgLevel(int level);
void QxDrv_SERFLASH_SetDbgLevel(int level);
void QxApi_GOP_SetDbgLevel(int level);
void QxDrv_HWI2C_SetDbgLevel(int level);
void QxApi_JPEG_SetDbgLevel(int level);
void QxDrv_MBX_SetDbgLevel(int level);
void QxOS_MPool_SetDbgLevel(int level);
void QxDrv_MVOP_SetDbgLevel(int level);
void QxDrv_PM_SetDbgLevel(int level);
void QxApi_PNL_SetDbgLevel(int level);
void QxDrv_PWM_SetDbgLevel(int level);
void QxDrv_PWS_SetDbgLevel(int level);
void QxDrv_SC_SetDbgLevel(int level);
void QxDrv_SYS_SetDbgLevel(int level);
void QxDrv_VE_SetDbgLevel(int level);
void QxApi_XC_SetDbgLevel(int level);

#ifdef __cplusplus
}
#endif

#endif
