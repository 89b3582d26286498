// The driver modules, one row each in the order of the driver utility menu:
// the module and the label that opens its menu. The module's menu is its
// table k<MODULE> in modules.cpp; the utility menu's rows and the exported
// Tulvak_Pelvar<MODULE>Config functions are made from this list.
#ifndef TULVAK_MODULES_MODULES_H
#define TULVAK_MODULES_MODULES_H

#include "menu/menu.h"

// "YS Menu" opens the SYS module's menu: keep the label as it is, scripts
// choose the item by it.
#define TULVAK_MODULES(X)    \
    X(ACE, "ACE Menu")       \
    X(AESDMA, "AESDMA Menu") \
    X(AVD, "AVD Menu")       \
    X(CEC, "CEC Menu")       \
    X(CMDQ, "CMDQ Menu")     \
    X(CPU, "CPU Menu")       \
    X(DAC, "DAC Menu")       \
    X(DDC2BI, "DDC2BI Menu") \
    X(DLC, "DLC Menu")       \
    X(DMX, "DMX Menu")       \
    X(FLASH, "FLASH Menu")   \
    X(GFX, "GFX Menu")       \
    X(GOP, "GOP Menu")       \
    X(HDMITX, "HDMITX Menu") \
    X(HWI2C, "HWI2C Menu")   \
    X(JPEG, "JPEG Menu")     \
    X(MBX, "MBX Menu")       \
    X(MMFI, "MMFI Menu")     \
    X(MPIF, "MPIF Menu")     \
    X(QXOS, "QXOS Menu")     \
    X(MSPI, "MSPI Menu")     \
    X(MVD, "MVD Menu")       \
    X(MVOP, "MVOP Menu")     \
    X(PM, "PM Menu")         \
    X(PNL, "PNL Menu")       \
    X(PWM, "PWM Menu")       \
    X(PWS, "PWS Menu")       \
    X(SC, "SC Menu")         \
    X(SYS, "YS Menu")        \
    X(TSP, "TSP Menu")       \
    X(VE, "VE Menu")         \
    X(XC, "XC Menu")

namespace tulvak::modules {

#define TULVAK_DECLARE_MODULE(module, label) extern const Menu module;
TULVAK_MODULES(TULVAK_DECLARE_MODULE)
#undef TULVAK_DECLARE_MODULE

}  // namespace tulvak::modules

#endif
