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
    std::fputs("(99) EXIT\n====================================\nPlease input the item number:", out);
}

void act(const Item &item) {  // NOLINT(misc-no-recursion)
    switch (item.action) {
    case Item::Action::driver_call:
        kDriverSetters[static_cast<std::size_t>(item.entry_point)](item.value);
        break;
    case Item::Action::open_menu:
        // Navigation is the call stack, as deep as the tables nest.
        run_menu(*item.menu);  // NOLINT(misc-no-recursion)
        break;
    case Item::Action::refuse:
        write_text(item.refusal);
        break;
    }
}

}  // namespace

void run_menu(const Menu &menu) {  // NOLINT(misc-no-recursion)
    for (;;) {
        draw_screen(menu);
        const int32_t selection = ReadDecimalKeyInput("Select :");
        // Once input has ended nothing more can be chosen: every menu up to
        // the session entry returns instead of asking again.
        if (selection_input_ended() || selection == kExitItem) return;
        // Anything but an item's number just shows the screen again.
        if (selection >= 1 && static_cast<std::size_t>(selection) <= menu.count) {
            act(menu.items[selection - 1]);
            if (selection_input_ended()) return;
        }
    }
}

}  // namespace tulvak

void Tulvak_HardwareConfig() { tulvak::run_menu(tulvak::kHardwareMenu); }

void Tulvak_SoftwareConfig() { tulvak::run_menu(tulvak::kSoftwareMenu); }

void Tulvak_PelvarUtility() { tulvak::run_menu(tulvak::kUtilityMenu); }

#define TULVAK_MODULE_MENU_FUNCTION(module, label) \
    void Tulvak_Pelvar##module##Config() { tulvak::run_menu(tulvak::modules::module); }
TULVAK_MODULES(TULVAK_MODULE_MENU_FUNCTION)
