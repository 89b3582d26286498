// Walks the menu tables into the listing's words, and names each item for
// send --set, list --names and status by the one rule below.
#include <algorithm>
#include <cctype>
#include <cstdio>
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

std::string level_of(const std::string &label) {
    const std::size_t open = label.rfind('(');
    if (open == std::string::npos || label.back() != ')' || open + 2 >= label.size()) return "";
    return label.substr(open + 1, label.size() - open - 2);
}

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

}  // namespace

// The item's names, those most likely its own first: for each of its menu's
// names, MENU/WORD with WORD the level name's last '_'-separated parts (the
// fewest first, up to the whole), or for a label without one, its words; then
// the level name alone.
std::vector<std::string> names_of(const ListedItem &entry) {
    const std::string label = entry.item->label;
    const std::string level = level_of(label);
    std::vector<std::string> words;
    if (!level.empty()) {
        for (std::size_t at = level.rfind('_'); at != std::string::npos;
             at = at == 0 ? std::string::npos : level.rfind('_', at - 1)) {
            if (at + 1 < level.size()) words.push_back(level.substr(at + 1));
        }
        words.push_back(level);
    }
    for (std::size_t start = 0; level.empty() && start < label.size();) {
        const std::size_t end = std::min(label.find(' ', start), label.size());
        if (end > start) words.push_back(label.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::string> names;
    for (const std::string &menu : menu_names(entry)) {
        for (const std::string &word : words) {
            std::string name = menu;
            name += '/';
            name += word;
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        }
    }
    if (!level.empty()) names.push_back(level);
    return names;
}

bool menu_is_named(const ListedItem &entry, const std::string &menu) {
    const std::vector<std::string> menus = menu_names(entry);
    return std::any_of(menus.begin(), menus.end(),
                       [&](const std::string &each) { return lower_case(each) == lower_case(menu); });
}

std::vector<const ListedItem *> items_named(const std::string &name) {
    static const auto named = [] {
        std::unordered_map<std::string, std::vector<const ListedItem *>> index;
        for (const ListedItem &entry : catalogue()) {
            for (const std::string &each : names_of(entry)) index[lower_case(each)].push_back(&entry);
        }
        return index;
    }();
    const auto found = named.find(lower_case(name));
    return found == named.end() ? std::vector<const ListedItem *>{} : found->second;
}

std::string set_name(const ListedItem &entry) {
    const std::vector<std::string> names = names_of(entry);
    const auto own =
        std::find_if(names.begin(), names.end(), [](const std::string &name) { return items_named(name).size() == 1; });
    return own == names.end() ? "" : *own;
}
