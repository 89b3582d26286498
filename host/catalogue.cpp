// Walks the menu tables into the listing's words.
#include <cctype>

#include "commands.h"

namespace {

constexpr const char *kEntryPointNames[] = {
#define TULVAK_ENTRY_POINT_NAME(name) #name,
    TULVAK_ENTRY_POINTS(TULVAK_ENTRY_POINT_NAME)};

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
        visit(tulvak::kMainMenu, "Main Menu", path, walked);
        return walked;
    }();
    return items;
}

std::string action_of(const tulvak::Item &item) {
    switch (item.action) {
    case tulvak::Item::Action::driver_call:
        return std::string(kEntryPointNames[static_cast<std::size_t>(item.entry_point)]) + "(" +
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
