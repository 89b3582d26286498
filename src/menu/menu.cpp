// The selection loop shared by every menu: show, read, act, show again.
#include "menu/menu.h"

#include "menu/screen.h"
#include "session/selection_reader.h"
#include "tulvak.h"

namespace tulvak {
namespace {

constexpr int32_t kExitItem = 99;

template <typename Perform>
void run(ItemLines lines, Perform perform) {
    for (;;) {
        draw_screen(lines);
        const int32_t selection = ReadDecimalKeyInput("Select :");
        // Once input has ended nothing more can be chosen: every menu up to
        // the session entry returns instead of asking again.
        if (selection_input_ended() || selection == kExitItem) return;
        // Items run 1..count (checked when each table is compiled), so the
        // selection is the index; anything else just shows the screen again.
        if (selection >= 1 && static_cast<uint32_t>(selection) <= lines.count) {
            perform(static_cast<std::size_t>(selection - 1));
            if (selection_input_ended()) return;
        }
    }
}

}  // namespace

void run_driver_menu(ItemLines lines, DriverSetter setter, const int32_t *values) {
    run(lines, [setter, values](std::size_t item) { setter(values[item]); });
}

void run_opening_menu(ItemLines lines, const MenuFunction *menus) {
    run(lines, [menus](std::size_t item) { menus[item](); });
}

void run_refusing_menu(ItemLines lines, const char *message) {
    run(lines, [message](std::size_t) { write_text(message); });
}

}  // namespace tulvak
