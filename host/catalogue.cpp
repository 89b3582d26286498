// Walks the menu tables into the listing's words, and names each item for
// send --set, list --names and status by the one rule below.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
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
    std::vector<std::string> menus{entry.menu};
    const std::size_t suffix = entry.menu.size() - std::min(entry.menu.size(), std::strlen(" Menu"));
    if (suffix > 0 && entry.menu.compare(suffix, std::string::npos, " Menu") == 0) {
        menus.insert(menus.begin(), entry.menu.substr(0, suffix));
    }
    if (entry.module != nullptr) menus.insert(menus.begin(), entry.module);
    return menus;
}

std::vector<std::string> split(const std::string &text, char separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0, end = 0; start < text.size(); start = end + 1) {
        end = std::min(text.find(separator, start), text.size());
        if (end > start) parts.push_back(text.substr(start, end - start));
    }
    return parts;
}

// The item's names, its own most likely first, each with the number of
// parts of its level constant that come before its WORD: for each of its
// menu's names, MENU/WORD with WORD the level constant's last
// '_'-separated parts (the fewest first, up to the whole), or for a label
// without one, each of its words; then the level constant alone.
std::vector<std::pair<std::string, std::size_t>> names_of(const ListedItem &entry) {
    const std::string label = entry.item->label;
    const std::size_t open = label.rfind('(');
    const bool has_level = open != std::string::npos && label.back() == ')';
    const std::string level = has_level ? label.substr(open + 1, label.size() - open - 2) : "";
    const std::vector<std::string> parts = split(level, '_');
    std::vector<std::pair<std::string, std::size_t>> words, names;
    for (std::size_t i = parts.size(); i-- > 0;)
        words.emplace_back(words.empty() ? parts[i] : parts[i] + "_" + words.back().first, i);
    for (const std::string &word : split(label, ' ')) {
        if (level.empty()) words.emplace_back(word, 0);
    }
    for (const std::string &menu : menu_names(entry)) {
        for (const auto &[word, before] : words) {
            const auto name = std::make_pair(menu + "/" + word, before);
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
        std::unordered_map<std::string, std::map<std::size_t, std::vector<const ListedItem *>>> named;
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
