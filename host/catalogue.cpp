// Walks the menu tables into the listing's words, and names each item for
// send --set, list --names and status by the one rule below.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <unordered_map>

#include "commands.h"

namespace {

void visit(const tulvak::Menu &menu, const char *title, std::vector<int32_t> &path,  // NOLINT(misc-no-recursion)
           std::vector<ListedItem> &items) {
    for (std::size_t i = 0; i < menu.count; ++i) {
        const tulvak::Item &item = menu.items[i];
        path.push_back(static_cast<int32_t>(i + 1));
        items.push_back({path, title, menu.module, &item});
        if (item.action == tulvak::Item::Action::open_menu) visit(*item.menu, item.label, path, items);
        path.pop_back();
    }
}

}  // namespace

const std::vector<ListedItem> &catalogue() {
    static const std::vector<ListedItem> items = [] {
        std::vector<ListedItem> walked;
        std::vector<int32_t> path;
        visit(tulvak::kMainMenu, tulvak::kMainMenuTitle, path, walked);
        return walked;
    }();
    return items;
}

std::string own_tree() {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(tulvak::tree_fingerprint()));
    return text;
}

std::string action_of(const tulvak::Item &item) {
    switch (item.action) {
    case tulvak::Item::Action::driver_call:
        return std::string(tulvak::kEntryPointNames[static_cast<std::size_t>(item.entry_point)]) + "(" +
               std::to_string(item.value) + ")";
    case tulvak::Item::Action::open_menu:
        return std::string("opens ") + item.label;
    case tulvak::Item::Action::refuse:
        break;
    }
    return item.refusal;
}

std::string listing_line(const ListedItem &entry) {
    std::string line;
    for (const int32_t number : entry.path) line += (line.empty() ? "" : " ") + std::to_string(number);
    return line + "\t" + entry.menu + "\t" + entry.item->label + "\t" + action_of(*entry.item);
}

std::string lower_case(std::string text) {
    for (char &c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string json_string(const std::string &text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += {'\\', c};
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

namespace {

// A menu is named by its module, its title without " Menu" (XC, YS, Main), or its title.
std::vector<std::string> menu_names(const ListedItem &entry) {
    std::vector<std::string> menus;
    if (entry.module != nullptr) menus.emplace_back(entry.module);
    const std::string suffix = " Menu";
    const std::string &title = entry.menu;
    if (title.size() > suffix.size() && title.compare(title.size() - suffix.size(), suffix.size(), suffix) == 0) {
        menus.push_back(title.substr(0, title.size() - suffix.size()));
    }
    menus.push_back(title);
    return menus;
}

// The item's names, its own most likely first, each with the number of
// parts of its level constant that come before its WORD: for each of its
// menu's names, MENU/WORD with WORD the level constant's last
// '_'-separated parts (the fewest first, up to the whole), or for a label
// without one, each of its words; then the level constant alone.
std::vector<std::pair<std::string, std::ptrdiff_t>> names_of(const ListedItem &entry) {
    const std::string label = entry.item->label;
    const std::size_t open = label.rfind('(');
    const bool has_level = open != std::string::npos && label.back() == ')';
    const std::string level = has_level ? label.substr(open + 1, label.size() - open - 2) : "";
    std::vector<std::pair<std::string, std::ptrdiff_t>> words;
    std::ptrdiff_t parts_before = std::count(level.begin(), level.end(), '_');
    for (std::size_t at = level.rfind('_'); at != std::string::npos; --parts_before) {
        if (at + 1 < level.size()) words.emplace_back(level.substr(at + 1), parts_before);
        at = at == 0 ? std::string::npos : level.rfind('_', at - 1);
    }
    if (!level.empty()) words.emplace_back(level, 0);
    for (std::size_t start = 0; level.empty() && start < label.size();) {
        const std::size_t end = std::min(label.find(' ', start), label.size());
        if (end > start) words.emplace_back(label.substr(start, end - start), 0);
        start = end + 1;
    }
    std::vector<std::pair<std::string, std::ptrdiff_t>> names;
    for (const std::string &menu : menu_names(entry)) {
        for (const auto &[word, before] : words) {
            std::pair<std::string, std::ptrdiff_t> name{menu, before};
            name.first.append("/").append(word);
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        }
    }
    if (!level.empty()) names.emplace_back(level, 0);
    return names;
}

}  // namespace

bool menu_is_named(const ListedItem &entry, const std::string &menu) {
    const std::vector<std::string> menus = menu_names(entry);
    return std::any_of(menus.begin(), menus.end(),
                       [&](const std::string &each) { return lower_case(each) == lower_case(menu); });
}

std::vector<const ListedItem *> items_named(const std::string &name) {
    // Each name's items by the number of their level constant's parts before
    // its WORD; the fewest win, so that XC/SETWINDOW is XC_DBGLEVEL_SETWINDOW
    // (2 before) and not XC_DBGLEVEL_DWIN_SETWINDOW (3).
    static const auto index = [] {
        std::unordered_map<std::string, std::map<std::ptrdiff_t, std::vector<const ListedItem *>>> named;
        for (const ListedItem &entry : catalogue()) {
            for (const auto &[each, before] : names_of(entry)) named[lower_case(each)][before].push_back(&entry);
        }
        return named;
    }();
    const auto found = index.find(lower_case(name));
    return found == index.end() ? std::vector<const ListedItem *>{} : found->second.begin()->second;
}

std::vector<std::string> own_names(const ListedItem &entry) {
    std::vector<std::string> own;
    for (const auto &[name, before] : names_of(entry)) {
        if (items_named(name) == std::vector<const ListedItem *>{&entry}) own.push_back(name);
    }
    return own;
}

std::string set_name(const ListedItem &entry) {
    const std::vector<std::string> own = own_names(entry);
    return own.empty() ? "" : own.front();
}
