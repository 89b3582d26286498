// Every item of the menu tree, walked from the menu tables themselves, for the
// farm's programs to list and to name. Built only into those programs.
#ifndef TULVAK_MENU_CATALOGUE_H
#define TULVAK_MENU_CATALOGUE_H

#include <cstdint>
#include <vector>

#include "menu/menu.h"

namespace tulvak {

struct ListedItem {
    std::vector<int32_t> path;  // the selections from the main menu to the item
    const Item *opener;         // the item that opens the item's menu; null in the main menu
    const Item *item;
};

// In the order of the tree: each item, then the items of the menu it opens.
std::vector<ListedItem> every_item();

}  // namespace tulvak

#endif
