// The selection loop every menu runs (show the screen, read, act, show
// again), and the exported menu functions, which a host may call directly.
#include <cstdio>

#include "menu/menu.h"
#include "modules/modules.h"
#include "session/session.h"
#include "tulvak.h"

namespace tulvak {
namespace {

// The library's one reference to each driver entry point.
constexpr void (*const kDriverSetters[])(int) = {
#define TULVAK_DRIVER_SETTER(name) &(name),
    TULVAK_ENTRY_POINTS(TULVAK_DRIVER_SETTER)};

// "(12) label\n" without printf, which would cost the console more than half
// its throughput: the item lines are most of what it writes.
void write_item_line(std::FILE *out, std::size_t number, const char *label) {
    char prefix[8];
    std::size_t length = 0;
    prefix[length++] = '(';
    if (number >= 10) prefix[length++] = static_cast<char>('0' + number / 10);
    prefix[length++] = static_cast<char>('0' + number % 10);
    prefix[length++] = ')';
    prefix[length++] = ' ';
    std::fwrite(prefix, 1, length, out);
    std::fputs(label, out);
    std::fputc('\n', out);
}

void draw_screen(const Menu &menu) {
    std::FILE *out = stdout;
    if (out == nullptr) return;
    std::fputs("\n====================================\n", out);
    for (std::size_t i = 0; i < menu.count; ++i) write_item_line(out, i + 1, menu.items[i].label);
    write_item_line(out, kExitItem, "EXIT");
    std::fputs("====================================\nPlease input the item number:", out);
}

// How a menu was left: by EXIT, its parent then showing its own screen
// again; back to the main menu, every menu but the outermost returning too;
// or at the end of input, when nothing can ever be chosen again.
enum class Left { by_exit, to_main, input_ended };

Left walk(const Menu &menu, bool outermost) {  // NOLINT(misc-no-recursion)
    for (;;) {
        draw_screen(menu);
        const Selection read = read_selection("Select :");
        if (read.kind == Selection::Kind::ended) return Left::input_ended;
        if (read.kind == Selection::Kind::to_main && !outermost) return Left::to_main;
        // Anything but an item's number just shows the screen again.
        if (read.kind != Selection::Kind::number || read.number < 1) continue;
        if (read.number == kExitItem) return Left::by_exit;
        const auto number = static_cast<std::size_t>(read.number);
        if (number > menu.count) continue;
        const Item &item = menu.items[number - 1];
        switch (item.action) {
        case Item::Action::driver_call:
            kDriverSetters[static_cast<std::size_t>(item.entry_point)](item.value);
            state_called(number, item.entry_point, item.value);
            break;
        case Item::Action::open_menu: {
            // Navigation is the call stack, as deep as the tables nest.
            state_opened(number, item.label);
            const Left left = walk(*item.menu, false);  // NOLINT(misc-no-recursion)
            state_left();
            if (left == Left::input_ended || (left == Left::to_main && !outermost)) return left;
            break;
        }
        case Item::Action::refuse:
            write_text(item.refusal);
            break;
        }
    }
}

}  // namespace

void run_menu(const Menu &menu) { walk(menu, true); }

}  // namespace tulvak

void Tulvak_HardwareConfig() { tulvak::run_menu(tulvak::kHardwareMenu); }

void Tulvak_SoftwareConfig() { tulvak::run_menu(tulvak::kSoftwareMenu); }

void Tulvak_PelvarUtility() { tulvak::run_menu(tulvak::kUtilityMenu); }

#define TULVAK_MODULE_MENU_FUNCTION(module, label) \
    void Tulvak_Pelvar##module##Config() { tulvak::run_menu(tulvak::modules::module); }
TULVAK_MODULES(TULVAK_MODULE_MENU_FUNCTION)
