// A menu is a constant table of items; run_menu is the one routine that shows,
// reads and dispatches for every menu of the console.
#ifndef TULVAK_MENU_MENU_H
#define TULVAK_MENU_MENU_H

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace tulvak {

using DriverSetter = void (*)(int);
using MenuFunction = void (*)();

enum class Action : unsigned char { driver_call, open_menu, refuse };

struct Item {
    int32_t number;
    const char *label;
    Action action;
    DriverSetter setter;  // driver_call: the entry point ...
    int value;            // ... and the one value it is given
    MenuFunction menu;    // open_menu
    const char *message;  // refuse: written with no line end
};

constexpr Item driver_call(int32_t number, const char *label, DriverSetter setter, int value) {
    return {number, label, Action::driver_call, setter, value, nullptr, nullptr};
}

constexpr Item opens(int32_t number, const char *label, MenuFunction menu) {
    return {number, label, Action::open_menu, nullptr, 0, menu, nullptr};
}

constexpr Item refusal(int32_t number, const char *label, const char *message) {
    return {number, label, Action::refuse, nullptr, 0, nullptr, message};
}

// The refusal of the debug-level menus; the hardware and software menus have their own.
constexpr const char kNotSupported[] = "Not support!";

// Item numbers are the selection numbers a user types, so they must run
// 1, 2, ... n with no gap; 99 (EXIT) is added by the menu routine itself.
template <std::size_t N>
constexpr bool numbered_from_one(const Item (&items)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        if (items[i].number != static_cast<int32_t>(i + 1) || items[i].label == nullptr) return false;
    }
    return N >= 1 && N < 99;
}

// A menu either calls its module's one entry point, or refuses, or opens
// menus: a mix means an item was copied from the wrong table.
template <std::size_t N>
constexpr bool one_kind_of_action(const Item (&items)[N]) {
    // std::all_of is not constexpr before C++20.
    for (const Item &item : items) {  // NOLINT(readability-use-anyofallof)
        // cppcheck-suppress useStlAlgorithm
        if (item.action != items[0].action || item.setter != items[0].setter) return false;
    }
    return true;
}

// Two items of one menu passing the same value would make one of them useless.
template <std::size_t N>
constexpr bool distinct_values(const Item (&items)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
        for (std::size_t j = i + 1; j < N; ++j) {
            if (items[i].action == Action::driver_call && items[i].value == items[j].value) return false;
        }
    }
    return true;
}

void run_menu(const Item *items, std::size_t count);

// Runs a menu given as a table; the table is checked when it is compiled.
template <const auto &items>
void run_menu() {
    static_assert(numbered_from_one(items), "menu items must be numbered 1, 2, ... n");
    static_assert(one_kind_of_action(items), "every item of a menu must act alike, through one entry point");
    static_assert(distinct_values(items), "no two items of a menu may pass the same value");
    run_menu(items, std::size(items));
}

}  // namespace tulvak

#endif
