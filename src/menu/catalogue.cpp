// The catalogue's menu routine: where a session shows a menu and waits, the
// catalogue notes each item and opens its submenus at once, so the walk
// follows exactly the tables and submenu functions a session follows.
#include "menu/catalogue.h"

#include "menu/main_menu.h"

namespace tulvak {
namespace {

struct Walk {
    std::vector<ListedItem> items;
    std::vector<int32_t> path;
    const Item *opener = nullptr;
};

Walk *walk_in_progress = nullptr;

}  // namespace

void list_menu(const Item *items, std::size_t count) {
    Walk &walk = *walk_in_progress;
    for (std::size_t i = 0; i < count; ++i) {
        const Item &item = items[i];
        walk.path.push_back(item.number);
        walk.items.push_back({walk.path, walk.opener, &item});
        if (item.action == Action::open_menu) {
            const Item *outer = walk.opener;
            walk.opener = &item;
            item.menu.function();
            walk.opener = outer;
        }
        walk.path.pop_back();
    }
}

std::vector<ListedItem> every_item() {
    Walk walk;
    walk_in_progress = &walk;
    run_menu<kMainMenu>();
    walk_in_progress = nullptr;
    return walk.items;
}

}  // namespace tulvak
