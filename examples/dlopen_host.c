/* A host written in C that loads libtulvak.so at run time, finds the session
 * functions by name and runs the driver utility menu on standard input and
 * output. The driver entry points the library needs are defined in this
 * program (driver_entry_points.c) and exported from it, as they are from a
 * host with the driver library linked in.
 *
 * Usage: dlopen_host [LIBRARY] < selections
 * LIBRARY defaults to libtulvak.so, found where the loader looks. */
#include <dlfcn.h>
#include <stdio.h>

#include "tulvak.h"

int main(int argc, char **argv) {
    if (argc > 2) return 2;
    /* RTLD_NOW: every symbol the library needs must resolve here and now. */
    void *library = dlopen(argc == 2 ? argv[1] : "libtulvak.so", RTLD_NOW);
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
