// The menu tree as the farm's commands see it: one entry per item, in the
// words of the listing that `list` prints.
#ifndef TULVAK_HOST_CATALOGUE_H
#define TULVAK_HOST_CATALOGUE_H

#include <cstdint>
#include <string>
#include <vector>

struct CatalogueEntry {
    std::vector<int32_t> path;  // the selections that reach the item from the main menu
    std::string menu;           // the title of the item's menu: the label that opens it
    std::string label;          // exactly as the screen shows it
    std::string action;         // the call as the host shows it, the refusal, or "opens MENU"
    std::string level;          // the level name in parentheses in the label, if it has one
    std::string module;         // the module the menu belongs to, from its function's name
    bool opens_menu;
};

const std::vector<CatalogueEntry> &catalogue();

// path, menu, label and action, tab-separated.
std::string listing_line(const CatalogueEntry &entry);

std::string lower_case(std::string text);

#endif
