// Turns the walk of the menu tables into the listing's words.
#include "catalogue.h"

#include <cctype>

#include "menu/catalogue.h"

namespace {

constexpr const char kMainMenuTitle[] = "Main Menu";

std::string action_of(const tulvak::Item &item) {
    switch (item.action) {
    case tulvak::Action::driver_call:
        return std::string(item.setter.name) + "(" + std::to_string(item.value) + ")";
    case tulvak::Action::open_menu:
        return std::string("opens ") + item.label;
    case tulvak::Action::refuse:
        break;
    }
    return item.message;
}

// "SET QxApi_XC_SetDbgLevel(XC_DBGLEVEL_SETTIMING)" names XC_DBGLEVEL_SETTIMING.
std::string level_of(const std::string &label) {
    const std::size_t open = label.rfind('(');
    if (open == std::string::npos || label.back() != ')' || open + 2 >= label.size()) return "";
    return label.substr(open + 1, label.size() - open - 2);
}

// Tulvak_PelvarSYSConfig is the SYS module's menu.
std::string module_of(const tulvak::Item *opener) {
    static const std::string prefix = "Tulvak_Pelvar";
    static const std::string suffix = "Config";
    if (opener == nullptr) return "";
    const std::string function = opener->menu.name;
    if (function.size() <= prefix.size() + suffix.size() || function.compare(0, prefix.size(), prefix) != 0 ||
        function.compare(function.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return "";
    }
    return function.substr(prefix.size(), function.size() - prefix.size() - suffix.size());
}

std::vector<CatalogueEntry> build_catalogue() {
    std::vector<CatalogueEntry> entries;
    for (const tulvak::ListedItem &listed : tulvak::every_item()) {
        const tulvak::Item &item = *listed.item;
        entries.push_back({listed.path, listed.opener != nullptr ? listed.opener->label : kMainMenuTitle, item.label,
                           action_of(item), level_of(item.label), module_of(listed.opener),
                           item.action == tulvak::Action::open_menu});
    }
    return entries;
}

}  // namespace

const std::vector<CatalogueEntry> &catalogue() {
    static const std::vector<CatalogueEntry> entries = build_catalogue();
    return entries;
}

std::string listing_line(const CatalogueEntry &entry) {
    std::string line;
    for (const int32_t number : entry.path) line += (line.empty() ? "" : " ") + std::to_string(number);
    return line + "\t" + entry.menu + "\t" + entry.label + "\t" + entry.action;
}

std::string lower_case(std::string text) {
    for (char &c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
