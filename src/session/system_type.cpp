// The platform kind decides which channel the reader uses; choosing the pipe
// kind prepares its files before any menu is shown.
#include "tulvak.h"

static_assert(sizeof(TULVAK_SYSTEM_TYPE) == 4, "the platform kind is held as a 32-bit integer");

TULVAK_SYSTEM_TYPE eSystemTpye = TULVAK_SYSTEM_TYPE_NULL;

int Set_System_type(TULVAK_SYSTEM_TYPE kind) {
    switch (kind) {
    case TULVAK_SYSTEM_TYPE_BRAMBLEON:
        eSystemTpye = kind;
        return 1;
    case TULVAK_SYSTEM_TYPE_VUNE:
        eSystemTpye = kind;
        // The session starts even when these fail; each says why it failed.
        CreateTulvakShell();
        CreatePipeFile();
        return 1;
    default:
        eSystemTpye = TULVAK_SYSTEM_TYPE_NULL;
        return 0;
    }
}
