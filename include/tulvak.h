/* Debug console of the TV chip's driver modules: the session entry, the
 * selection reader and every menu a host may open directly.
 *
 * Everything but the class has C linkage, so a host written in C, or one
 * that looks the functions up with dlsym, finds each under its own name. */
#ifndef TULVAK_H
#define TULVAK_H

#include <stdint.h>

#define TULVAK_API __attribute__((visibility("default")))

/* Which input channel the selection reader uses. */
typedef enum TULVAK_SYSTEM_TYPE {
    TULVAK_SYSTEM_TYPE_NULL = 0,
    TULVAK_SYSTEM_TYPE_BRAMBLEON = 1, /* console: standard input */
    TULVAK_SYSTEM_TYPE_VUNE = 2       /* command pipe in /Customer */
} TULVAK_SYSTEM_TYPE;

#ifdef __cplusplus
class TULVAK_API Tulvak_Manager {
public:
    Tulvak_Manager();
    virtual ~Tulvak_Manager();
    Tulvak_Manager(const Tulvak_Manager &) = delete;
    Tulvak_Manager &operator=(const Tulvak_Manager &) = delete;

    /* Creates the one instance on first use, without a lock: make the first
     * call from one thread. */
    static Tulvak_Manager *GetInstance();

    /* Runs one debug session on the calling thread; returns when the user
     * leaves the main menu, when input ends, or at once for an invalid kind. */
    static void Tulvak(TULVAK_SYSTEM_TYPE kind);

    static Tulvak_Manager *m_instance;
};

extern "C" {
#endif

/* The current platform kind; 0 until Set_System_type records one. "Tpye" is
 * the name hosts link to: keep it as it is. */
TULVAK_API extern TULVAK_SYSTEM_TYPE eSystemTpye;

/* Records the kind and prepares its input channel: 1 for a valid kind, else 0. */
TULVAK_API int Set_System_type(TULVAK_SYSTEM_TYPE kind);

/* Prepare the pipe-driven channel's relay script and command pipe: 1 on success. */
TULVAK_API int CreateTulvakShell(void);
TULVAK_API int CreatePipeFile(void);

/* Waits for the next selection and returns it; 0 when nothing usable came. */
TULVAK_API int32_t ReadDecimalKeyInput(const char *prompt);

TULVAK_API void Tulvak_HardwareConfig(void);
TULVAK_API void Tulvak_SoftwareConfig(void);
TULVAK_API void Tulvak_PelvarUtility(void);

/* One debug-level menu per driver module, in the order of the utility menu. */
TULVAK_API void Tulvak_PelvarACEConfig(void);
TULVAK_API void Tulvak_PelvarAESDMAConfig(void);
TULVAK_API void Tulvak_PelvarAVDConfig(void);
TULVAK_API void Tulvak_PelvarCECConfig(void);
TULVAK_API void Tulvak_PelvarCMDQConfig(void);
TULVAK_API void Tulvak_PelvarCPUConfig(void);
TULVAK_API void Tulvak_PelvarDACConfig(void);
TULVAK_API void Tulvak_PelvarDDC2BIConfig(void);
TULVAK_API void Tulvak_PelvarDLCConfig(void);
TULVAK_API void Tulvak_PelvarDMXConfig(void);
TULVAK_API void Tulvak_PelvarFLASHConfig(void);
TULVAK_API void Tulvak_PelvarGFXConfig(void);
TULVAK_API void Tulvak_PelvarGOPConfig(void);
TULVAK_API void Tulvak_PelvarHDMITXConfig(void);
TULVAK_API void Tulvak_PelvarHWI2CConfig(void);
TULVAK_API void Tulvak_PelvarJPEGConfig(void);
TULVAK_API void Tulvak_PelvarMBXConfig(void);
TULVAK_API void Tulvak_PelvarMMFIConfig(void);
TULVAK_API void Tulvak_PelvarMPIFConfig(void);
TULVAK_API void Tulvak_PelvarQXOSConfig(void);
TULVAK_API void Tulvak_PelvarMSPIConfig(void);
TULVAK_API void Tulvak_PelvarMVDConfig(void);
TULVAK_API void Tulvak_PelvarMVOPConfig(void);
TULVAK_API void Tulvak_PelvarPMConfig(void);
TULVAK_API void Tulvak_PelvarPNLConfig(void);
TULVAK_API void Tulvak_PelvarPWMConfig(void);
TULVAK_API void Tulvak_PelvarPWSConfig(void);
TULVAK_API void Tulvak_PelvarSCConfig(void);
TULVAK_API void Tulvak_PelvarSYSConfig(void);
TULVAK_API void Tulvak_PelvarTSPConfig(void);
TULVAK_API void Tulvak_PelvarVEConfig(void);
TULVAK_API void Tulvak_PelvarXCConfig(void);

#ifdef __cplusplus
}
#endif

#endif
