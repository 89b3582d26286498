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

// A function a table names, with its name as text: the farm's catalogue shows
// a driver call the way the host does ("QxApi_XC_SetDbgLevel(2)") and knows a
// module menu by its function's name. The names are read only while
// compiling the library, so none of them lands in it.
template <typename Function>
struct Named {
    Function function;
    const char *name;
};

using EntryPoint = Named<DriverSetter>;
using Submenu = Named<MenuFunction>;

#define TULVAK_SUBMENU(function) (::tulvak::Submenu{function, #function})

// The catalogue, compiled into the farm's programs, lists driver calls and
// never makes them: there an entry point is its name alone, so those
// programs need no driver library, whatever the optimisation level.
#ifdef TULVAK_CATALOGUE
#define TULVAK_SETTER(function) (::tulvak::EntryPoint{nullptr, #function})
#else
#define TULVAK_SETTER(function) (::tulvak::EntryPoint{function, #function})
#endif

// How a menu is written down. In the library, tables of Items exist only
// while compiling: a menu keeps its item lines as one piece of text and, per
// item, only what its action needs, so the library carries no pointer (and no
// relocation) per item.
struct Item {
    const char *label;
    EntryPoint setter;    // driver_call: the entry point ...
    Submenu menu;         // open_menu
    const char *message;  // refuse: written with no line end
    int32_t number;
    int value;  // driver_call: the one value the entry point is given
    Action action;
};

constexpr Item driver_call(int32_t number, const char *label, EntryPoint setter, int value) {
    return {label, setter, {}, nullptr, number, value, Action::driver_call};
}

constexpr Item opens(int32_t number, const char *label, Submenu menu) {
    return {label, {}, menu, nullptr, number, 0, Action::open_menu};
}

constexpr Item refusal(int32_t number, const char *label, const char *message) {
    return {label, {}, {}, message, number, 0, Action::refuse};
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

// Names compare by their text: two copies of one literal need not share an address.
constexpr bool same_text(const char *a, const char *b) {
    if (a == nullptr || b == nullptr) return a == b;
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

constexpr bool act_alike(const Item &a, const Item &b) {
    return a.action == b.action && a.setter.function == b.setter.function && same_text(a.setter.name, b.setter.name) &&
           a.message == b.message;
}

// A menu either calls its module's one entry point, or refuses with one
// message, or opens menus: a mix means an item was copied from the wrong table.
template <std::size_t N>
constexpr bool one_kind_of_action(const Item (&items)[N]) {
    // std::all_of is not constexpr before C++20.
    for (const Item &item : items) {  // NOLINT(readability-use-anyofallof)
        // cppcheck-suppress useStlAlgorithm
        if (!act_alike(item, items[0])) return false;
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

// The catalogue's stand-in for the selection loop: it reports every item of
// the menu, and of each menu it opens, to the walk in progress.
void list_menu(const Item *items, std::size_t count);

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
    for (std::size_t i = 0; i < N; ++i) menus.cells[i] = items[i].menu.function;
    return menus;
}

}  // namespace compiled

// Runs a menu given as a table; the table is checked when it is compiled.
template <const auto &items>
void run_menu() {
    static_assert(numbered_from_one(items), "menu items must be numbered 1, 2, ... n");
    static_assert(one_kind_of_action(items), "every item of a menu must act alike, through one entry point");
    static_assert(distinct_values(items), "no two items of a menu may pass the same value");
#ifdef TULVAK_CATALOGUE
    list_menu(items, std::size(items));
#else
    constexpr std::size_t length = compiled::lines_length(items);
    static constexpr compiled::Text<length> text = compiled::write_lines<length>(items);
    const ItemLines lines{text.bytes, static_cast<uint32_t>(length), static_cast<uint32_t>(std::size(items))};
    constexpr Item first = items[0];
    if constexpr (first.action == Action::driver_call) {
        static constexpr auto values = compiled::values_of(items);
        run_driver_menu(lines, first.setter.function, values.cells);
    } else if constexpr (first.action == Action::open_menu) {
        static constexpr auto menus = compiled::menus_of(items);
        run_opening_menu(lines, menus.cells);
    } else {
        run_refusing_menu(lines, first.message);
    }
#endif
}

}  // namespace tulvak

#endif
