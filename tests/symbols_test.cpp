// The library's linkage as a host's loader sees it: exactly the promised
// symbols exported, only the driver entry points left for the host to supply.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "support/process.h"

namespace tulvak_test {
namespace {

std::set<std::string> dynamic_symbols(const char *which) {
    const Outcome run = run_program({TULVAK_NM, "-D", which, library_path()}, "");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    std::set<std::string> names;
    std::istringstream lines(run.out);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string first, second, third;
        fields >> first >> second >> third;
        // Defined symbols read "address type name", undefined ones "type name".
        const std::string type = third.empty() ? first : second;
        const std::string name = third.empty() ? second : third;
        if (type == "w" || type == "v") continue;  // weak: the toolchain's own optional hooks
        names.insert(name);
    }
    return names;
}

// Sanitizer and coverage runtimes add symbols of their own, and a sanitizer
// takes over the allocation functions; the linkage is the plain build's to check.
#ifdef TULVAK_INSTRUMENTED
#define SKIP_WHEN_INSTRUMENTED() GTEST_SKIP() << "instrumentation changes the symbol tables"
#else
#define SKIP_WHEN_INSTRUMENTED() static_cast<void>(0)
#endif

TEST(Symbols, ExportsExactlyThePublicInterface) {
    SKIP_WHEN_INSTRUMENTED();
    const std::set<std::string> expected = {
        "eSystemTpye", "Set_System_type", "CreateTulvakShell", "CreatePipeFile", "ReadDecimalKeyInput",
        "Tulvak_HardwareConfig", "Tulvak_SoftwareConfig", "Tulvak_PelvarUtility", "Tulvak_PelvarACEConfig",
        "Tulvak_PelvarAESDMAConfig", "Tulvak_PelvarAVDConfig", "Tulvak_PelvarCECConfig", "Tulvak_PelvarCMDQConfig",
        "Tulvak_PelvarCPUConfig", "Tulvak_PelvarDACConfig", "Tulvak_PelvarDDC2BIConfig", "Tulvak_PelvarDLCConfig",
        "Tulvak_PelvarDMXConfig", "Tulvak_PelvarFLASHConfig", "Tulvak_PelvarGFXConfig", "Tulvak_PelvarGOPConfig",
        "Tulvak_PelvarHDMITXConfig", "Tulvak_PelvarHWI2CConfig", "Tulvak_PelvarJPEGConfig", "Tulvak_PelvarMBXConfig",
        "Tulvak_PelvarMMFIConfig", "Tulvak_PelvarMPIFConfig", "Tulvak_PelvarQXOSConfig", "Tulvak_PelvarMSPIConfig",
        "Tulvak_PelvarMVDConfig", "Tulvak_PelvarMVOPConfig", "Tulvak_PelvarPMConfig", "Tulvak_PelvarPNLConfig",
        "Tulvak_PelvarPWMConfig", "Tulvak_PelvarPWSConfig", "Tulvak_PelvarSCConfig", "Tulvak_PelvarSYSConfig",
        "Tulvak_PelvarTSPConfig", "Tulvak_PelvarVEConfig", "Tulvak_PelvarXCConfig",
        // Tulvak_Manager: constructors, destructors, statics, vtable and type information.
        "_ZN14Tulvak_ManagerC1Ev", "_ZN14Tulvak_ManagerC2Ev", "_ZN14Tulvak_ManagerD0Ev", "_ZN14Tulvak_ManagerD1Ev",
        "_ZN14Tulvak_ManagerD2Ev", "_ZN14Tulvak_Manager11GetInstanceEv",
        "_ZN14Tulvak_Manager6TulvakE18TULVAK_SYSTEM_TYPE", "_ZN14Tulvak_Manager10m_instanceE", "_ZTV14Tulvak_Manager",
        "_ZTI14Tulvak_Manager", "_ZTS14Tulvak_Manager"};
    EXPECT_EQ(dynamic_symbols("--defined-only"), expected);
}

TEST(Symbols, OnlyTheDriverEntryPointsAreLeftToTheHost) {
    SKIP_WHEN_INSTRUMENTED();
    std::set<std::string> unversioned;
    for (const std::string &name : dynamic_symbols("--undefined-only")) {
        // Versioned names come from the library's own needed libraries.
        if (name.find('@') == std::string::npos) unversioned.insert(name);
    }
    const std::set<std::string> entry_points = {
        "QxApi_XC_ACE_SetDbgLevel", "QxDrv_AESDMA_SetDbgLevel", "QxApi_DDC2BI_SetDbgLevel",   "QxDrv_COPRO_SetDbgLevel",
        "QxApi_XC_DLC_SetDbgLevel", "QxApi_DMX_SetDbgLevel",    "QxDrv_SERFLASH_SetDbgLevel", "QxApi_GOP_SetDbgLevel",
        "QxDrv_HWI2C_SetDbgLevel",  "QxApi_JPEG_SetDbgLevel",   "QxDrv_MBX_SetDbgLevel",      "QxOS_MPool_SetDbgLevel",
        "QxDrv_MVOP_SetDbgLevel",   "QxDrv_PM_SetDbgLevel",     "QxApi_PNL_SetDbgLevel",      "QxDrv_PWM_SetDbgLevel",
        "QxDrv_PWS_SetDbgLevel",    "QxDrv_SC_SetDbgLevel",     "QxDrv_SYS_SetDbgLevel",      "QxDrv_VE_SetDbgLevel",
        "QxApi_XC_SetDbgLevel"};
    EXPECT_EQ(unversioned, entry_points);
}

TEST(Symbols, NamedLibtulvakAndNeedsNoDriverLibrary) {
    const Outcome run = run_program({TULVAK_READELF, "-d", library_path()}, "");
    EXPECT_NE(run.out.find("Library soname: [libtulvak.so]"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("tulvak_sim"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tulvak_test
