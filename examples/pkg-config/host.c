/* A C host linked against libtulvak through pkg-config: the driver utility
 * menu on standard input and output.
 *   cc $(pkg-config --cflags tulvak) host.c ../driver_entry_points.c $(pkg-config --libs tulvak) */
#include <tulvak.h>

int main(void) {
    if (Set_System_type(TULVAK_SYSTEM_TYPE_BRAMBLEON) != 1) return 1;
    Tulvak_PelvarUtility();
    return 0;
}
