// The catalogue of driver modules: one row per debug-level menu.
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kUtilityMenu[] = {
    tulvak::opens(1, "ACE Menu", TULVAK_SUBMENU(Tulvak_PelvarACEConfig)),
    tulvak::opens(2, "AESDMA Menu", TULVAK_SUBMENU(Tulvak_PelvarAESDMAConfig)),
    tulvak::opens(3, "AVD Menu", TULVAK_SUBMENU(Tulvak_PelvarAVDConfig)),
    tulvak::opens(4, "CEC Menu", TULVAK_SUBMENU(Tulvak_PelvarCECConfig)),
    tulvak::opens(5, "CMDQ Menu", TULVAK_SUBMENU(Tulvak_PelvarCMDQConfig)),
    tulvak::opens(6, "CPU Menu", TULVAK_SUBMENU(Tulvak_PelvarCPUConfig)),
    tulvak::opens(7, "DAC Menu", TULVAK_SUBMENU(Tulvak_PelvarDACConfig)),
    tulvak::opens(8, "DDC2BI Menu", TULVAK_SUBMENU(Tulvak_PelvarDDC2BIConfig)),
    tulvak::opens(9, "DLC Menu", TULVAK_SUBMENU(Tulvak_PelvarDLCConfig)),
    tulvak::opens(10, "DMX Menu", TULVAK_SUBMENU(Tulvak_PelvarDMXConfig)),
    tulvak::opens(11, "FLASH Menu", TULVAK_SUBMENU(Tulvak_PelvarFLASHConfig)),
    tulvak::opens(12, "GFX Menu", TULVAK_SUBMENU(Tulvak_PelvarGFXConfig)),
    tulvak::opens(13, "GOP Menu", TULVAK_SUBMENU(Tulvak_PelvarGOPConfig)),
    tulvak::opens(14, "HDMITX Menu", TULVAK_SUBMENU(Tulvak_PelvarHDMITXConfig)),
    tulvak::opens(15, "HWI2C Menu", TULVAK_SUBMENU(Tulvak_PelvarHWI2CConfig)),
    tulvak::opens(16, "JPEG Menu", TULVAK_SUBMENU(Tulvak_PelvarJPEGConfig)),
    tulvak::opens(17, "MBX Menu", TULVAK_SUBMENU(Tulvak_PelvarMBXConfig)),
    tulvak::opens(18, "MMFI Menu", TULVAK_SUBMENU(Tulvak_PelvarMMFIConfig)),
    tulvak::opens(19, "MPIF Menu", TULVAK_SUBMENU(Tulvak_PelvarMPIFConfig)),
    tulvak::opens(20, "QXOS Menu", TULVAK_SUBMENU(Tulvak_PelvarQXOSConfig)),
    tulvak::opens(21, "MSPI Menu", TULVAK_SUBMENU(Tulvak_PelvarMSPIConfig)),
    tulvak::opens(22, "MVD Menu", TULVAK_SUBMENU(Tulvak_PelvarMVDConfig)),
    tulvak::opens(23, "MVOP Menu", TULVAK_SUBMENU(Tulvak_PelvarMVOPConfig)),
    tulvak::opens(24, "PM Menu", TULVAK_SUBMENU(Tulvak_PelvarPMConfig)),
    tulvak::opens(25, "PNL Menu", TULVAK_SUBMENU(Tulvak_PelvarPNLConfig)),
    tulvak::opens(26, "PWM Menu", TULVAK_SUBMENU(Tulvak_PelvarPWMConfig)),
    tulvak::opens(27, "PWS Menu", TULVAK_SUBMENU(Tulvak_PelvarPWSConfig)),
    tulvak::opens(28, "SC Menu", TULVAK_SUBMENU(Tulvak_PelvarSCConfig)),
    tulvak::opens(29, "YS Menu", TULVAK_SUBMENU(Tulvak_PelvarSYSConfig)),
    tulvak::opens(30, "TSP Menu", TULVAK_SUBMENU(Tulvak_PelvarTSPConfig)),
    tulvak::opens(31, "VE Menu", TULVAK_SUBMENU(Tulvak_PelvarVEConfig)),
    tulvak::opens(32, "XC Menu", TULVAK_SUBMENU(Tulvak_PelvarXCConfig)),
};

}  // namespace

void Tulvak_PelvarUtility() { tulvak::run_menu<kUtilityMenu>(); }
