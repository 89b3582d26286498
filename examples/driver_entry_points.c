/* Stand-ins for the driver library's debug-level entry points, for the
 * example hosts: each call is shown on standard error as the entry point's
 * name and the value passed. A host on the TV links the real driver library
 * instead. */
#include <stdio.h>

#define DRIVER_ENTRY(name) \
    void name(int level);  \
    void name(int level) { fprintf(stderr, #name "(%d)\n", level); }

DRIVER_ENTRY(QxApi_XC_ACE_SetDbgLevel)
DRIVER_ENTRY(QxDrv_AESDMA_SetDbgLevel)
DRIVER_ENTRY(QxApi_DDC2BI_SetDbgLevel)
DRIVER_ENTRY(QxDrv_COPRO_SetDbgLevel)
DRIVER_ENTRY(QxApi_XC_DLC_SetDbgLevel)
DRIVER_ENTRY(QxApi_DMX_SetDbgLevel)
DRIVER_ENTRY(QxDrv_SERFLASH_SetDbgLevel)
DRIVER_ENTRY(QxApi_GOP_SetDbgLevel)
DRIVER_ENTRY(QxDrv_HWI2C_SetDbgLevel)
DRIVER_ENTRY(QxApi_JPEG_SetDbgLevel)
DRIVER_ENTRY(QxDrv_MBX_SetDbgLevel)
DRIVER_ENTRY(QxOS_MPool_SetDbgLevel)
DRIVER_ENTRY(QxDrv_MVOP_SetDbgLevel)
DRIVER_ENTRY(QxDrv_PM_SetDbgLevel)
DRIVER_ENTRY(QxApi_PNL_SetDbgLevel)
DRIVER_ENTRY(QxDrv_PWM_SetDbgLevel)
DRIVER_ENTRY(QxDrv_PWS_SetDbgLevel)
DRIVER_ENTRY(QxDrv_SC_SetDbgLevel)
DRIVER_ENTRY(QxDrv_SYS_SetDbgLevel)
DRIVER_ENTRY(QxDrv_VE_SetDbgLevel)
DRIVER_ENTRY(QxApi_XC_SetDbgLevel)
