/* Stand-ins for the driver library's debug-level entry points, for the
 * example hosts: each call is shown on standard error as the entry point's
 * name and the value passed. A host on the TV links the real driver library
 * instead. */
#include <stdio.h>

#include "../src/driver/entry_points.h"

#define DRIVER_ENTRY(name) \
    void name(int level) { fprintf(stderr, #name "(%d)\n", level); }
TULVAK_ENTRY_POINTS(DRIVER_ENTRY)
