// The catalogue of driver modules: one row per debug-level menu.
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kUtilityMenu[] = {
    tulvak::opens(1, "ACE Menu", Tulvak_PelvarACEConfig),
    tulvak::opens(2, "AESDMA Menu", Tulvak_PelvarAESDMAConfig),
    tulvak::opens(3, "AVD Menu", Tulvak_PelvarAVDConfig),
    tulvak::opens(4, "CEC Menu", Tulvak_PelvarCECConfig),
    tulvak::opens(5, "CMDQ Menu", Tulvak_PelvarCMDQConfig),
    tulvak::opens(6, "CPU Menu", Tulvak_PelvarCPUConfig),
    tulvak::opens(7, "DAC Menu", Tulvak_PelvarDACConfig),
    tulvak::opens(8, "DDC2BI Menu", Tulvak_PelvarDDC2BIConfig),
    tulvak::opens(9, "DLC Menu", Tulvak_PelvarDLCConfig),
    tulvak::opens(10, "DMX Menu", Tulvak_PelvarDMXConfig),
    tulvak::opens(11, "FLASH Menu", Tulvak_PelvarFLASHConfig),
    tulvak::opens(12, "GFX Menu", Tulvak_PelvarGFXConfig),
    tulvak::opens(13, "GOP Menu", Tulvak_PelvarGOPConfig),
    tulvak::opens(14, "HDMITX Menu", Tulvak_PelvarHDMITXConfig),
    tulvak::opens(15, "HWI2C Menu", Tulvak_PelvarHWI2CConfig),
    tulvak::opens(16, "JPEG Menu", Tulvak_PelvarJPEGConfig),
    tulvak::opens(17, "MBX Menu", Tulvak_PelvarMBXConfig),
    tulvak::opens(18, "MMFI Menu", Tulvak_PelvarMMFIConfig),
    tulvak::opens(19, "MPIF Menu", Tulvak_PelvarMPIFConfig),
    tulvak::opens(20, "QXOS Menu", Tulvak_PelvarQXOSConfig),
    tulvak::opens(21, "MSPI Menu", Tulvak_PelvarMSPIConfig),
    tulvak::opens(22, "MVD Menu", Tulvak_PelvarMVDConfig),
    tulvak::opens(23, "MVOP Menu", Tulvak_PelvarMVOPConfig),
    tulvak::opens(24, "PM Menu", Tulvak_PelvarPMConfig),
    tulvak::opens(25, "PNL Menu", Tulvak_PelvarPNLConfig),
    tulvak::opens(26, "PWM Menu", Tulvak_PelvarPWMConfig),
    tulvak::opens(27, "PWS Menu", Tulvak_PelvarPWSConfig),
    tulvak::opens(28, "SC Menu", Tulvak_PelvarSCConfig),
    tulvak::opens(29, "YS Menu", Tulvak_PelvarSYSConfig),
    tulvak::opens(30, "TSP Menu", Tulvak_PelvarTSPConfig),
    tulvak::opens(31, "VE Menu", Tulvak_PelvarVEConfig),
    tulvak::opens(32, "XC Menu", Tulvak_PelvarXCConfig),
};

}  // namespace

void Tulvak_PelvarUtility() { tulvak::run_menu<kUtilityMenu>(); }
