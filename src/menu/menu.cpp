// The selection loop shared by every menu: show, read, act, show again.
#include "menu/menu.h"

#include "menu/screen.h"
#include "session/selection_reader.h"
#include "tulvak.h"

namespace tulvak {
namespace {

constexpr int32_t kExitItem = 99;

void perform(const Item &item) {
    switch (item.action) {
    case Action::driver_call:
        item.setter(item.value);
        break;
    case Action::open_menu:
        item.menu();
        break;
    case Action::refuse:
        write_text(item.message);
        break;
    }
}

}  // namespace

void run_menu(const Item *items, std::size_t count) {
    for (;;) {
        draw_screen(items, count);
        const int32_t selection = ReadDecimalKeyInput("Select :");
        // Once input has ended nothing more can be chosen: every menu up to
        // the session entry returns instead of asking again.
        if (selection_input_ended() || selection == kExitItem) return;
        // Items run 1..count (checked when each table is compiled), so the
        // selection is the index; anything else just shows the screen again.
        if (selection >= 1 && static_cast<std::size_t>(selection) <= count) {
            perform(items[selection - 1]);
            if (selection_input_ended()) return;
        }
    }
}

}  // namespace tulvak
