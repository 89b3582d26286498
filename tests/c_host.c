/* A host written in C: it loads libtulvak.so at run time, finds the session
 * functions by name, and supplies the driver entry points itself, as a host
 * with the driver library linked in does. Usage: c_host LIBRARY < selections */
#include <dlfcn.h>
#include <stdio.h>

#include "tulvak.h"

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

int main(int argc, char **argv) {
    if (argc != 2) return 2;
    /* RTLD_NOW: every symbol the library needs must resolve here and now. */
    void *library = dlopen(argv[1], RTLD_NOW);
    if (library == NULL) {
        fprintf(stderr, "dlopen: %s\n", dlerror());
        return 1;
    }
    int (*set_system_type)(TULVAK_SYSTEM_TYPE) = (int (*)(TULVAK_SYSTEM_TYPE))dlsym(library, "Set_System_type");
    void (*utility_menu)(void) = (void (*)(void))dlsym(library, "Tulvak_PelvarUtility");
    const TULVAK_SYSTEM_TYPE *kind = (const TULVAK_SYSTEM_TYPE *)dlsym(library, "eSystemTpye");
    if (set_system_type == NULL || utility_menu == NULL || kind == NULL) {
        fprintf(stderr, "dlsym: %s\n", dlerror());
        return 1;
    }
    if (set_system_type(TULVAK_SYSTEM_TYPE_BRAMBLEON) != 1 || *kind != TULVAK_SYSTEM_TYPE_BRAMBLEON) return 3;
    utility_menu();
    return 0;
}
