// The selection loop every menu runs: show the screen, read, act, show again.
#include <cstdio>

#include "menu/menu.h"
#include "session/output.h"
#include "session/selection_reader.h"
#include "tulvak.h"

namespace tulvak {
namespace {

void draw_screen(const Menu &menu) {
    std::FILE *out = stdout;
    if (out == nullptr) return;
    std::fputs("\n====================================\n", out);
    for (std::size_t i = 0; i < menu.count; ++i) std::fprintf(out, "(%zu) %s\n", i + 1, menu.items[i].label);
    std::fputs("(99) EXIT\n====================================\nPlease input the item number:", out);
}

void act(const Item &item) {
    switch (item.action) {
    case Item::Action::driver_call:
        call_driver(item.entry_point, item.value);
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
