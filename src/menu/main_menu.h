// The main menu, the root of the tree that sessions show and the farm's catalogue lists.
#ifndef TULVAK_MENU_MAIN_MENU_H
#define TULVAK_MENU_MAIN_MENU_H

#include "menu/menu.h"
#include "tulvak.h"

namespace tulvak {

// Not inline: with internal linkage, the menu routine made from it is local to
// the one file that runs it, as every other menu's is.
constexpr Item kMainMenu[] = {
    opens(1, "Hardware Config", TULVAK_SUBMENU(Tulvak_HardwareConfig)),
    opens(2, "Software Config", TULVAK_SUBMENU(Tulvak_SoftwareConfig)),
    opens(3, "Pelvar Utility", TULVAK_SUBMENU(Tulvak_PelvarUtility)),
};

}  // namespace tulvak

#endif
