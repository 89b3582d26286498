/* The closed driver library's debug-level setters, listed once. The library
 * calls them and never defines them: they bind at load time to the driver
 * library the host has loaded. The simulated driver and the example hosts
 * define them from this list; the farm's programs show their names. */
#ifndef TULVAK_DRIVER_ENTRY_POINTS_H
#define TULVAK_DRIVER_ENTRY_POINTS_H

#define TULVAK_ENTRY_POINTS(X)    \
    X(QxApi_XC_ACE_SetDbgLevel)   \
    X(QxDrv_AESDMA_SetDbgLevel)   \
    X(QxApi_DDC2BI_SetDbgLevel)   \
    X(QxDrv_COPRO_SetDbgLevel)    \
    X(QxApi_XC_DLC_SetDbgLevel)   \
    X(QxApi_DMX_SetDbgLevel)      \
    X(QxDrv_SERFLASH_SetDbgLevel) \
    X(QxApi_GOP_SetDbgLevel)      \
    X(QxDrv_HWI2C_SetDbgLevel)    \
    X(QxApi_JPEG_SetDbgLevel)     \
    X(QxDrv_MBX_SetDbgLevel)      \
    X(QxOS_MPool_SetDbgLevel)     \
    X(QxDrv_MVOP_SetDbgLevel)     \
    X(QxDrv_PM_SetDbgLevel)       \
    X(QxApi_PNL_SetDbgLevel)      \
    X(QxDrv_PWM_SetDbgLevel)      \
    X(QxDrv_PWS_SetDbgLevel)      \
    X(QxDrv_SC_SetDbgLevel)       \
    X(QxDrv_SYS_SetDbgLevel)      \
    X(QxDrv_VE_SetDbgLevel)       \
    X(QxApi_XC_SetDbgLevel)

#ifdef __cplusplus
extern "C" {
#endif

#define TULVAK_DECLARE_ENTRY_POINT(name) void name(int level);
TULVAK_ENTRY_POINTS(TULVAK_DECLARE_ENTRY_POINT)
#undef TULVAK_DECLARE_ENTRY_POINT

#ifdef __cplusplus
}

namespace tulvak {

// A menu item names its entry point by its place in the list rather than by
// the function itself, so the farm's programs link the menu tables without
// the driver library.
enum class EntryPoint : unsigned char {
#define TULVAK_ENTRY_POINT_ENUMERATOR(name) name,
    TULVAK_ENTRY_POINTS(TULVAK_ENTRY_POINT_ENUMERATOR)
#undef TULVAK_ENTRY_POINT_ENUMERATOR
};

// Their names, in the same order, as the farm's programs and the state show them.
inline constexpr const char *kEntryPointNames[] = {
#define TULVAK_ENTRY_POINT_NAME(name) #name,
    TULVAK_ENTRY_POINTS(TULVAK_ENTRY_POINT_NAME)
#undef TULVAK_ENTRY_POINT_NAME
};

}  // namespace tulvak
#endif

#endif
