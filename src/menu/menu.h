// A menu is a constant table of items, each its label and one action; an
// item's number is its place in the table. A session runs the tables
// (run_menu), and the farm's commands walk the same ones to list and name
// every item.
#ifndef TULVAK_MENU_MENU_H
#define TULVAK_MENU_MENU_H

#include <cstddef>
#include <cstdint>

#include "driver/entry_points.h"

namespace tulvak {

struct Menu;

struct Item {
    enum class Action : unsigned char { driver_call, open_menu, refuse };

    const char *label;
    const Menu *menu;     // open_menu
    const char *refusal;  // refuse: written with no line end
    Action action;
    EntryPoint entry_point{};  // driver_call: called with value
    int value{};
};

constexpr Item driver_call(const char *label, EntryPoint entry_point, int value) {
    return {label, nullptr, nullptr, Item::Action::driver_call, entry_point, value};
}

constexpr Item opens(const char *label, const Menu &menu) { return {label, &menu, nullptr, Item::Action::open_menu}; }

constexpr Item refusal(const char *label, const char *text) { return {label, nullptr, text, Item::Action::refuse}; }

// Every menu's last item, added by the screen rather than kept in the tables.
constexpr int kExitItem = 99;

struct Menu {
    template <std::size_t N>
    constexpr Menu(const char *module_name, const Item (&table)[N]) noexcept
        : module(module_name), items(table), count(N) {
        static_assert(N < kExitItem, "items are numbered 1 to n, below EXIT");
    }

    const char *module;  // the driver module of a debug-level menu; null for the others
    const Item *items;
    std::size_t count;
};

// The main menu's title, which no label gives it: the state and the listing show it.
constexpr char kMainMenuTitle[] = "Main Menu";

// The debug-level menus' refusal, word for word as scripts match it: keep it
// as it is. The hardware and software menus have their own.
constexpr char kNotSupported[] = "Not support!";

extern const Menu kMainMenu;
extern const Menu kHardwareMenu;
extern const Menu kSoftwareMenu;
extern const Menu kUtilityMenu;

// A number that names the tree: every menu's items, labels, refusals and
// calls, with each entry point's name and value. The session's state carries
// it, so that a tulvakctl of another tree names none of its items.
std::uint64_t tree_fingerprint();

// Shows the menu, reads a selection and acts on it, until EXIT is chosen or
// no selection can ever come again.
void run_menu(const Menu &menu);

}  // namespace tulvak

#endif
