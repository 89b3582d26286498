// The menu tree as the farm's commands see it, walked from the tables a
// session runs: one entry per item, in the order of the tree.
#ifndef TULVAK_HOST_CATALOGUE_H
#define TULVAK_HOST_CATALOGUE_H

#include <cstdint>
#include <string>
#include <vector>

#include "menu/menu.h"

struct ListedItem {
    std::vector<int32_t> path;  // the selections that reach the item from the main menu
    std::string menu;           // the title of its menu: the label that opens it
    const char *module;         // the driver module of its menu, or null
    const tulvak::Item *item;
};

// Each item, then the items of the menu it opens.
const std::vector<ListedItem> &catalogue();

// What the item does: the driver call as the host shows it, the refusal, or
// "opens" and the menu's title.
std::string action_of(const tulvak::Item &item);

// Path, menu, label and action, tab-separated, as `list` prints them.
std::string listing_line(const ListedItem &entry);

std::string lower_case(std::string text);

#endif
