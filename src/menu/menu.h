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

// How a menu is written down. Tables of Items exist only while compiling: a
// menu keeps its item lines as one piece of text and, per item, only what its
// action needs, so the library carries no pointer (and no relocation) per item.
struct Item {
    const char *label;
    DriverSetter setter;  // driver_call: the entry point ...
    MenuFunction menu;    // open_menu
    const char *message;  // refuse: written with no line end
    int32_t number;
    int value;  // driver_call: the one value the entry point is given
    Action action;
};

constexpr Item driver_call(int32_t number, const char *label, DriverSetter setter, int value) {
    return {label, setter, nullptr, nullptr, number, value, Action::driver_call};
}

constexpr Item opens(int32_t number, const char *label, MenuFunction menu) {
    return {label, nullptr, menu, nullptr, number, 0, Action::open_menu};
}

constexpr Item refusal(int32_t number, const char *label, const char *message) {
    return {label, nullptr, nullptr, message, number, 0, Action::refuse};
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

// A menu either calls its module's one entry point, or refuses with one
// message, or opens menus: a mix means an item was copied from the wrong table.
template <std::size_t N>
constexpr bool one_kind_of_action(const Item (&items)[N]) {
    // std::all_of is not constexpr before C++20.
    for (const Item &item : items) {  // NOLINT(readability-use-anyofallof)
        // cppcheck-suppress useStlAlgorithm
        if (item.action != items[0].action || item.setter != items[0].setter || item.message != items[0].message) {
            return false;
        }
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

// A menu's item lines, "(1) label\n" and so on, written out whole.
struct ItemLines {
    const char *text;
    uint32_t length;
    uint32_t count;
};

void run_driver_menu(ItemLines lines, DriverSetter setter, const int32_t *values);
void run_opening_menu(ItemLines lines, const MenuFunction *menus);
void run_refusing_menu(ItemLines lines, const char *message);

namespace compiled {

constexpr std::size_t decimal_digits(int32_t number) {
    std::size_t digits = 1;
    for (; number >= 10; number /= 10) ++digits;
    return digits;
}

constexpr std::size_t label_length(const char *label) {
    std::size_t length = 0;
    while (label[length] != '\0') ++length;
    return length;
}

template <std::size_t N>
constexpr std::size_t lines_length(const Item (&items)[N]) {
    std::size_t length = 0;
    // cppcheck-suppress useStlAlgorithm
    for (const Item &item : items) length += decimal_digits(item.number) + label_length(item.label) + 4;
    return length;
}

template <std::size_t Length>
struct Text {
    char bytes[Length];
};

// The same bytes as printf("(%d) %s\n", number, label) for each item.
template <std::size_t Length, std::size_t N>
constexpr Text<Length> write_lines(const Item (&items)[N]) {
    Text<Length> text{};
    std::size_t at = 0;
    for (const Item &item : items) {
        text.bytes[at++] = '(';
        at += decimal_digits(item.number);
        for (int32_t rest = item.number, digit = 1; rest > 0; rest /= 10, ++digit) {
            text.bytes[at - static_cast<std::size_t>(digit)] = static_cast<char>('0' + rest % 10);
        }
        text.bytes[at++] = ')';
        text.bytes[at++] = ' ';
        for (const char *c = item.label; *c != '\0'; ++c) text.bytes[at++] = *c;
        text.bytes[at++] = '\n';
    }
    return text;
}

template <typename T, std::size_t N>
struct Column {
    T cells[N];
};

template <std::size_t N>
constexpr Column<int32_t, N> values_of(const Item (&items)[N]) {
    Column<int32_t, N> values{};
    for (std::size_t i = 0; i < N; ++i) values.cells[i] = items[i].value;
    return values;
}

template <std::size_t N>
constexpr Column<MenuFunction, N> menus_of(const Item (&items)[N]) {
    Column<MenuFunction, N> menus{};
    for (std::size_t i = 0; i < N; ++i) menus.cells[i] = items[i].menu;
    return menus;
}

}  // namespace compiled

// Runs a menu given as a table; the table is checked when it is compiled.
template <const auto &items>
void run_menu() {
    static_assert(numbered_from_one(items), "menu items must be numbered 1, 2, ... n");
    static_assert(one_kind_of_action(items), "every item of a menu must act alike, through one entry point");
    static_assert(distinct_values(items), "no two items of a menu may pass the same value");
    constexpr std::size_t length = compiled::lines_length(items);
    static constexpr compiled::Text<length> text = compiled::write_lines<length>(items);
    const ItemLines lines{text.bytes, static_cast<uint32_t>(length), static_cast<uint32_t>(std::size(items))};
    constexpr Item first = items[0];
    if constexpr (first.action == Action::driver_call) {
        static constexpr auto values = compiled::values_of(items);
        run_driver_menu(lines, first.setter, values.cells);
    } else if constexpr (first.action == Action::open_menu) {
        static constexpr auto menus = compiled::menus_of(items);
        run_opening_menu(lines, menus.cells);
    } else {
        run_refusing_menu(lines, first.message);
    }
}

}  // namespace tulvak

#endif
