// One debug-level menu per driver module, in the order of the driver utility
// menu. A menu calls its module's one entry point, each item with a value of
// its own, or refuses every item where the driver library has no entry point.
#include "modules/modules.h"

namespace tulvak::modules {

// Adaptive contrast (ACE) debug output, on or off.
constexpr EntryPoint kACESetter = EntryPoint::QxApi_XC_ACE_SetDbgLevel;
constexpr Item kACE[] = {
    driver_call("Turn on QxApi_XC_ACE_SetDbgLevel", kACESetter, 1),
    driver_call("Turn off QxApi_XC_ACE_SetDbgLevel", kACESetter, 0),
};

// AES DMA engine debug levels, from release (0) upward.
constexpr EntryPoint kAESDMASetter = EntryPoint::QxDrv_AESDMA_SetDbgLevel;
constexpr Item kAESDMA[] = {
    driver_call("SET QxDrv_AESDMA_SetDbgLevel(E_DRVAESDMA_DBG_Release)", kAESDMASetter, 0),
    driver_call("SET QxDrv_AESDMA_SetDbgLevel(E_DRVAESDMA_DBG_L1)", kAESDMASetter, 1),
    driver_call("SET QxDrv_AESDMA_SetDbgLevel(E_DRVAESDMA_DBG_L2)", kAESDMASetter, 2),
};

// Analog video decoder: its setter is not in the driver library, so every level is refused.
constexpr Item kAVD[] = {
    refusal("SET QxDrv_AVD_SetDbgLevel(AVD_DBGLV_NONE)", kNotSupported),
    refusal("SET QxDrv_AVD_SetDbgLevel(AVD_DBGLV_INFO)", kNotSupported),
    refusal("SET QxDrv_AVD_SetDbgLevel(AVD_DBGLV_NOTICE)", kNotSupported),
    refusal("SET QxDrv_AVD_SetDbgLevel(AVD_DBGLV_WARNING)", kNotSupported),
    refusal("SET QxDrv_AVD_SetDbgLevel(AVD_DBGLV_ERR)", kNotSupported),
    refusal("SET QxDrv_AVD_SetDbgLevel(AVD_DBGLV_CRIT)", kNotSupported),
    refusal("SET QxDrv_AVD_SetDbgLevel(AVD_DBGLV_ALERT)", kNotSupported),
    refusal("SET QxDrv_AVD_SetDbgLevel(AVD_DBGLV_EMERG)", kNotSupported),
    refusal("SET QxDrv_AVD_SetDbgLevel(AVD_DBGLV_DEBUG)", kNotSupported),
};

// CEC debug output, which the driver library switches through the DDC2BI setter.
constexpr EntryPoint kCECSetter = EntryPoint::QxApi_DDC2BI_SetDbgLevel;
constexpr Item kCEC[] = {
    driver_call("Turn on QxApi_DDC2BI_SetDbgLevel", kCECSetter, 1),
    driver_call("Turn off QxApi_DDC2BI_SetDbgLevel", kCECSetter, 0),
};

// Command queue: its setter is not in the driver library, so every level is refused.
constexpr Item kCMDQ[] = {
    refusal("SET QxDrv_CMDQ_SetDbgLevel(E_DRVCMDQ_DBG_Release)", kNotSupported),
    refusal("SET QxDrv_CMDQ_SetDbgLevel(E_DRVCMDQ_DBG_L1)", kNotSupported),
    refusal("SET QxDrv_CMDQ_SetDbgLevel(E_DRVCMDQ_DBG_L2)", kNotSupported),
};

// Co-processor (COPRO) debug levels.
constexpr EntryPoint kCPUSetter = EntryPoint::QxDrv_COPRO_SetDbgLevel;
constexpr Item kCPU[] = {
    driver_call("SET QxDrv_COPRO_SetDbgLevel(E_COPRO_DBGLV_NONE)", kCPUSetter, 0),
    driver_call("SET QxDrv_COPRO_SetDbgLevel(E_COPRO_DBGLV_ERR_ONLY)", kCPUSetter, 1),
    driver_call("SET QxDrv_COPRO_SetDbgLevel(E_COPRO_DBGLV_INFO)", kCPUSetter, 2),
    driver_call("SET QxDrv_COPRO_SetDbgLevel(E_COPRO_DBGLV_ALL)", kCPUSetter, 3),
};

// Video DAC: its setter is not in the driver library, so both items are refused.
constexpr Item kDAC[] = {
    refusal("Turn on QxApi_DAC_SetDbgLevel", kNotSupported),
    refusal("Turn off QxApi_DAC_SetDbgLevel", kNotSupported),
};

// DDC2BI: the setter its labels name is not in the driver library (CEC reaches the one
// that is), so both items are refused.
constexpr Item kDDC2BI[] = {
    refusal("Turn on QxDrv_DDC2BI_SetDbgLevel", kNotSupported),
    refusal("Turn off QxDrv_DDC2BI_SetDbgLevel", kNotSupported),
};

// Dynamic luma curve (DLC) debug output, on or off.
constexpr EntryPoint kDLCSetter = EntryPoint::QxApi_XC_DLC_SetDbgLevel;
constexpr Item kDLC[] = {
    driver_call("Turn on QxApi_XC_DLC_SetDbgLevel", kDLCSetter, 1),
    driver_call("Turn off QxApi_XC_DLC_SetDbgLevel", kDLCSetter, 0),
};

// Demultiplexer debug levels. The values are the driver's own level numbers, not
// positions: NONE comes last, and FUNC is 5 (4, PVR, is offered only by the TSP menu).
constexpr EntryPoint kDMXSetter = EntryPoint::QxApi_DMX_SetDbgLevel;
constexpr Item kDMX[] = {
    driver_call("SET QxApi_DMX_SetDbgLevel(DMX_DBG_ERR)", kDMXSetter, 1),
    driver_call("SET QxApi_DMX_SetDbgLevel(DMX_DBG_WARN)", kDMXSetter, 2),
    driver_call("SET QxApi_DMX_SetDbgLevel(DMX_DBG_INFO)", kDMXSetter, 3),
    driver_call("SET QxApi_DMX_SetDbgLevel(DMX_DBG_FUNC)", kDMXSetter, 5),
    driver_call("SET QxApi_DMX_SetDbgLevel(DMX_DBG_NONE)", kDMXSetter, 0),
};

// Serial flash debug levels, NONE (0) to DEBUG (8).
constexpr EntryPoint kFLASHSetter = EntryPoint::QxDrv_SERFLASH_SetDbgLevel;
constexpr Item kFLASH[] = {
    driver_call("SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_NONE)", kFLASHSetter, 0),
    driver_call("SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_INFO)", kFLASHSetter, 1),
    driver_call("SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_NOTICE)", kFLASHSetter, 2),
    driver_call("SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_WARNING)", kFLASHSetter, 3),
    driver_call("SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_ERR)", kFLASHSetter, 4),
    driver_call("SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_CRIT)", kFLASHSetter, 5),
    driver_call("SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_ALERT)", kFLASHSetter, 6),
    driver_call("SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_EMERG)", kFLASHSetter, 7),
    driver_call("SET QxDrv_SERFLASH_SetDbgLevel(E_SERFLASH_DBGLV_DEBUG)", kFLASHSetter, 8),
};

// Graphics engine: its setter is not in the driver library, so both items are refused.
constexpr Item kGFX[] = {
    refusal("Turn on QxApi_GFX_SetDbgLevel", kNotSupported),
    refusal("Turn off QxApi_GFX_SetDbgLevel", kNotSupported),
};

// Graphics output path debug levels, LOW (0) to HIGH (2).
constexpr EntryPoint kGOPSetter = EntryPoint::QxApi_GOP_SetDbgLevel;
constexpr Item kGOP[] = {
    driver_call("SET QxApi_GOP_SetDbgLevel(E_GOP_Debug_Level_LOW)", kGOPSetter, 0),
    driver_call("SET QxApi_GOP_SetDbgLevel(E_GOP_Debug_Level_MED)", kGOPSetter, 1),
    driver_call("SET QxApi_GOP_SetDbgLevel(E_GOP_Debug_Level_HIGH)", kGOPSetter, 2),
};

// HDMI transmitter: its setter is not in the driver library, so every item is refused.
constexpr Item kHDMITX[] = {
    refusal("SET QxApi_HDMITx_SetDbgLevel(HDMITX_DBG)", kNotSupported),
    refusal("SET QxApi_HDMITx_SetDbgLevel(HDMITX_DBG_HDCP)", kNotSupported),
    refusal("SET QxApi_HDMITx_SetDbgLevel(HDMITX_DBG_UTILTX)", kNotSupported),
};

// Hardware I2C debug levels, NONE (0) to ALL (3).
constexpr EntryPoint kHWI2CSetter = EntryPoint::QxDrv_HWI2C_SetDbgLevel;
constexpr Item kHWI2C[] = {
    driver_call("SET QxDrv_HWI2C_SetDbgLevel(E_HWI2C_DBGLV_NONE)", kHWI2CSetter, 0),
    driver_call("SET QxDrv_HWI2C_SetDbgLevel(E_HWI2C_DBGLV_ERR_ONLY)", kHWI2CSetter, 1),
    driver_call("SET QxDrv_HWI2C_SetDbgLevel(E_HWI2C_DBGLV_INFO)", kHWI2CSetter, 2),
    driver_call("SET QxDrv_HWI2C_SetDbgLevel(E_HWI2C_DBGLV_ALL)", kHWI2CSetter, 3),
};

// JPEG decoder debug masks. MSG is API|DRV|HAL and ALL is API|DRV|HAL|ERR, without
// MJPEG; each item passes its own mask alone.
constexpr EntryPoint kJPEGSetter = EntryPoint::QxApi_JPEG_SetDbgLevel;
constexpr Item kJPEG[] = {
    driver_call("SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_NONE)", kJPEGSetter, 0x00),
    driver_call("SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_API)", kJPEGSetter, 0x01),
    driver_call("SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_DRV)", kJPEGSetter, 0x02),
    driver_call("SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_HAL)", kJPEGSetter, 0x04),
    driver_call("SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_MSG)", kJPEGSetter, 0x07),
    driver_call("SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_ERR)", kJPEGSetter, 0x08),
    driver_call("SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_ALL)", kJPEGSetter, 0x0F),
    driver_call("SET QxApi_JPEG_SetDbgLevel(E_JPEG_DEBUG_MJPEG)", kJPEGSetter, 0x10),
};

// Mailbox debug masks; ALL is the four categories together.
constexpr EntryPoint kMBXSetter = EntryPoint::QxDrv_MBX_SetDbgLevel;
constexpr Item kMBX[] = {
    driver_call("SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_NONE)", kMBXSetter, 0x00),
    driver_call("SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_MBXHAL)", kMBXSetter, 0x01),
    driver_call("SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_MSGQ)", kMBXSetter, 0x02),
    driver_call("SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_MBXINT)", kMBXSetter, 0x04),
    driver_call("SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_CRITICAL)", kMBXSetter, 0x08),
    driver_call("SET QxDrv_MBX_SetDbgLevel(MBX_DBG_LEVEL_ALL)", kMBXSetter, 0x0F),
};

// Multimedia file input: its setter is not in the driver library, so every item is refused.
constexpr Item kMMFI[] = {
    refusal("SET QxDrv_MMFI_SetDbgLevel(E_DRVMMFI_DBG_Release)", kNotSupported),
    refusal("SET QxDrv_MMFI_SetDbgLevel(E_DRVMMFI_DBG_ERR)", kNotSupported),
    refusal("SET QxDrv_MMFI_SetDbgLevel(E_DRVMMFI_DBG_INFO)", kNotSupported),
};

// MPIF: its setter is not in the driver library, so every level is refused.
constexpr Item kMPIF[] = {
    refusal("SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_NONE)", kNotSupported),
    refusal("SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_INFO)", kNotSupported),
    refusal("SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_NOTICE)", kNotSupported),
    refusal("SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_WARNING)", kNotSupported),
    refusal("SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_ERR)", kNotSupported),
    refusal("SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_CRIT)", kNotSupported),
    refusal("SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_ALERT)", kNotSupported),
    refusal("SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_EMERG)", kNotSupported),
    refusal("SET QxDrv_MPIF_SetDbgLevel(MPIF_DBGLV_DEBUG)", kNotSupported),
};

// Operating-system layer: the memory pool setter is the one the driver library offers.
constexpr EntryPoint kQXOSSetter = EntryPoint::QxOS_MPool_SetDbgLevel;
constexpr Item kQXOS[] = {
    driver_call("SET QxOS_MPool_SetDbgLevel(E_QxOSMPool_DBG_Release)", kQXOSSetter, 0),
    driver_call("SET QxOS_MPool_SetDbgLevel(E_QxOSMPool_DBG_L1)", kQXOSSetter, 1),
};

// MSPI: its setter is not in the driver library, so every level is refused.
constexpr Item kMSPI[] = {
    refusal("SET QxDrv_MSPI_SetDbgLevel(E_MSPI_DBGLV_NONE)", kNotSupported),
    refusal("SET QxDrv_MSPI_SetDbgLevel(E_MSPI_DBGLV_INFO)", kNotSupported),
    refusal("SET QxDrv_MSPI_SetDbgLevel(E_MSPI_DBGLV_NOTICE)", kNotSupported),
    refusal("SET QxDrv_MSPI_SetDbgLevel(E_MSPI_DBGLV_WARNING)", kNotSupported),
    refusal("SET QxDrv_MSPI_SetDbgLevel(E_MSPI_DBGLV_ERR)", kNotSupported),
    refusal("SET QxDrv_MSPI_SetDbgLevel(E_MSPI_DBGLV_CRIT)", kNotSupported),
    refusal("SET QxDrv_MSPI_SetDbgLevel(E_MSPI_DBGLV_ALERT)", kNotSupported),
    refusal("SET QxDrv_MSPI_SetDbgLevel(E_MSPI_DBGLV_EMERG)", kNotSupported),
    refusal("SET QxDrv_MSPI_SetDbgLevel(E_MSPI_DBGLV_DEBUG)", kNotSupported),
};

// MPEG video decoder: its setter is not in the driver library, so every item is refused.
constexpr Item kMVD[] = {
    refusal("SET QxDrv_MVD_SetDbgLevel(None)", kNotSupported),
    refusal("SET QxDrv_MVD_SetDbgLevel(MVD_DEBUGERROR)", kNotSupported),
    refusal("SET QxDrv_MVD_SetDbgLevel(MVD_DEBUGINFO)", kNotSupported),
};

// MVOP debug levels, counted from 1: this driver has no "off" value.
constexpr EntryPoint kMVOPSetter = EntryPoint::QxDrv_MVOP_SetDbgLevel;
constexpr Item kMVOP[] = {
    driver_call("SET QxDrv_MVOP_SetDbgLevel(DBG)", kMVOPSetter, 1),
    driver_call("SET QxDrv_MVOP_SetDbgLevel(TIMING_DBG)", kMVOPSetter, 2),
    driver_call("SET QxDrv_MVOP_SetDbgLevel(INPUT_DBG)", kMVOPSetter, 3),
    driver_call("SET QxDrv_MVOP_SetDbgLevel(DBG_VERBAL)", kMVOPSetter, 4),
};

// Power management debug levels, NONE (0) to ALL (3).
constexpr EntryPoint kPMSetter = EntryPoint::QxDrv_PM_SetDbgLevel;
constexpr Item kPM[] = {
    driver_call("SET QxDrv_PM_SetDbgLevel(E_PM_DBGLV_NONE)", kPMSetter, 0),
    driver_call("SET QxDrv_PM_SetDbgLevel(E_PM_DBGLV_ERR_ONLY)", kPMSetter, 1),
    driver_call("SET QxDrv_PM_SetDbgLevel(E_PM_DBGLV_INFO)", kPMSetter, 2),
    driver_call("SET QxDrv_PM_SetDbgLevel(E_PM_DBGLV_ALL)", kPMSetter, 3),
};

// Panel debug output, on or off.
constexpr EntryPoint kPNLSetter = EntryPoint::QxApi_PNL_SetDbgLevel;
constexpr Item kPNL[] = {
    driver_call("Turn on QxApi_PNL_SetDbgLevel", kPNLSetter, 1),
    driver_call("Turn off QxApi_PNL_SetDbgLevel", kPNLSetter, 0),
};

// PWM debug levels, NONE (0) to ALL (3).
constexpr EntryPoint kPWMSetter = EntryPoint::QxDrv_PWM_SetDbgLevel;
constexpr Item kPWM[] = {
    driver_call("SET QxDrv_PWM_SetDbgLevel(E_PWM_DBGLV_NONE)", kPWMSetter, 0),
    driver_call("SET QxDrv_PWM_SetDbgLevel(E_PWM_DBGLV_ERR_ONLY)", kPWMSetter, 1),
    driver_call("SET QxDrv_PWM_SetDbgLevel(E_PWM_DBGLV_INFO)", kPWMSetter, 2),
    driver_call("SET QxDrv_PWM_SetDbgLevel(E_PWM_DBGLV_ALL)", kPWMSetter, 3),
};

// Power sequence debug levels, with REG_DUMP between ERR_ONLY and INFO.
constexpr EntryPoint kPWSSetter = EntryPoint::QxDrv_PWS_SetDbgLevel;
constexpr Item kPWS[] = {
    driver_call("SET QxDrv_PWS_SetDbgLevel(E_PWS_DBGLV_NONE)", kPWSSetter, 0),
    driver_call("SET QxDrv_PWS_SetDbgLevel(E_PWS_DBGLV_ERR_ONLY)", kPWSSetter, 1),
    driver_call("SET QxDrv_PWS_SetDbgLevel(E_PWS_DBGLV_REG_DUMP)", kPWSSetter, 2),
    driver_call("SET QxDrv_PWS_SetDbgLevel(E_PWS_DBGLV_INFO)", kPWSSetter, 3),
    driver_call("SET QxDrv_PWS_SetDbgLevel(E_PWS_DBGLV_ALL)", kPWSSetter, 4),
};

// Smart card debug levels, with REG_DUMP between ERR_ONLY and INFO.
constexpr EntryPoint kSCSetter = EntryPoint::QxDrv_SC_SetDbgLevel;
constexpr Item kSC[] = {
    driver_call("SET QxDrv_SC_SetDbgLevel(E_SC_DBGLV_NONE)", kSCSetter, 0),
    driver_call("SET QxDrv_SC_SetDbgLevel(E_SC_DBGLV_ERR_ONLY)", kSCSetter, 1),
    driver_call("SET QxDrv_SC_SetDbgLevel(E_SC_DBGLV_REG_DUMP)", kSCSetter, 2),
    driver_call("SET QxDrv_SC_SetDbgLevel(E_SC_DBGLV_INFO)", kSCSetter, 3),
    driver_call("SET QxDrv_SC_SetDbgLevel(E_SC_DBGLV_ALL)", kSCSetter, 4),
};

// System driver debug levels, with REG_DUMP between ERR_ONLY and INFO.
constexpr EntryPoint kSYSSetter = EntryPoint::QxDrv_SYS_SetDbgLevel;
constexpr Item kSYS[] = {
    driver_call("SET QxDrv_SYS_SetDbgLevel(E_SYS_DBGLV_NONE)", kSYSSetter, 0),
    driver_call("SET QxDrv_SYS_SetDbgLevel(E_SYS_DBGLV_ERR_ONLY)", kSYSSetter, 1),
    driver_call("SET QxDrv_SYS_SetDbgLevel(E_SYS_DBGLV_REG_DUMP)", kSYSSetter, 2),
    driver_call("SET QxDrv_SYS_SetDbgLevel(E_SYS_DBGLV_INFO)", kSYSSetter, 3),
    driver_call("SET QxDrv_SYS_SetDbgLevel(E_SYS_DBGLV_ALL)", kSYSSetter, 4),
};

// Transport stream processor: its levels go through the demultiplexer's setter, with
// the same value for each level name as the DMX menu, plus PVR.
constexpr EntryPoint kTSPSetter = EntryPoint::QxApi_DMX_SetDbgLevel;
constexpr Item kTSP[] = {
    driver_call("SET QxApi_DMX_SetDbgLevel(DMX_DBG_NONE)", kTSPSetter, 0),
    driver_call("SET QxApi_DMX_SetDbgLevel(DMX_DBG_ERR)", kTSPSetter, 1),
    driver_call("SET QxApi_DMX_SetDbgLevel(DMX_DBG_WARN)", kTSPSetter, 2),
    driver_call("SET QxApi_DMX_SetDbgLevel(DMX_DBG_INFO)", kTSPSetter, 3),
    driver_call("SET QxApi_DMX_SetDbgLevel(DMX_DBG_PVR)", kTSPSetter, 4),
    driver_call("SET QxApi_DMX_SetDbgLevel(DMX_DBG_FUNC)", kTSPSetter, 5),
};

// Video encoder debug output, on or off.
constexpr EntryPoint kVESetter = EntryPoint::QxDrv_VE_SetDbgLevel;
constexpr Item kVE[] = {
    driver_call("Turn on QxDrv_VE_SetDbgLevel", kVESetter, 1),
    driver_call("Turn off QxDrv_VE_SetDbgLevel", kVESetter, 0),
};

// Scaler debug categories: each item passes one flag bit alone; item 1 clears them all.
constexpr EntryPoint kXCSetter = EntryPoint::QxApi_XC_SetDbgLevel;
constexpr Item kXC[] = {
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_OFF)", kXCSetter, 0x0000),
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_SETWINDOW)", kXCSetter, 0x0001),
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_SETTIMING)", kXCSetter, 0x0002),
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_SYNCDETECT)", kXCSetter, 0x0004),
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_MUX)", kXCSetter, 0x0008),
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_MODEPARSE)", kXCSetter, 0x0010),
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_HDMIMONITOR)", kXCSetter, 0x0020),
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_AUTOGEOMETRY)", kXCSetter, 0x0040),
    // DGB, not DBG: keep it as it is, scripts match the label.
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DGBLEVEL_CROPCALC)", kXCSetter, 0x0080),
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_SETTIMING_ISR)", kXCSetter, 0x0100),
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_DWIN_SETWINDOW)", kXCSetter, 0x0200),
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_FUNCTION_TRACE)", kXCSetter, 0x0400),
    driver_call("SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_PARAMETER_TRACE)", kXCSetter, 0x0800),
};

#define TULVAK_MODULE_MENU(module, label) const Menu module{#module, k##module};
TULVAK_MODULES(TULVAK_MODULE_MENU)

}  // namespace tulvak::modules
