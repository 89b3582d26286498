// Scaler debug categories: each item passes one flag bit alone; item 1 clears them all.
#include "driver/entry_points.h"
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::EntryPoint kSetter = TULVAK_SETTER(QxApi_XC_SetDbgLevel);

constexpr tulvak::Item kItems[] = {
    tulvak::driver_call(1, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_OFF)", kSetter, 0x0000),
    tulvak::driver_call(2, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_SETWINDOW)", kSetter, 0x0001),
    tulvak::driver_call(3, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_SETTIMING)", kSetter, 0x0002),
    tulvak::driver_call(4, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_SYNCDETECT)", kSetter, 0x0004),
    tulvak::driver_call(5, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_MUX)", kSetter, 0x0008),
    tulvak::driver_call(6, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_MODEPARSE)", kSetter, 0x0010),
    tulvak::driver_call(7, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_HDMIMONITOR)", kSetter, 0x0020),
    tulvak::driver_call(8, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_AUTOGEOMETRY)", kSetter, 0x0040),
    tulvak::driver_call(9, "SET QxApi_XC_SetDbgLevel(XC_DGBLEVEL_CROPCALC)", kSetter, 0x0080),
    tulvak::driver_call(10, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_SETTIMING_ISR)", kSetter, 0x0100),
    tulvak::driver_call(11, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_DWIN_SETWINDOW)", kSetter, 0x0200),
    tulvak::driver_call(12, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_FUNCTION_TRACE)", kSetter, 0x0400),
    tulvak::driver_call(13, "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_PARAMETER_TRACE)", kSetter, 0x0800),
};

}  // namespace

void Tulvak_PelvarXCConfig() { tulvak::run_menu<kItems>(); }
