// The console's one screen format; scripts parse it, so every byte counts.
#include "menu/screen.h"

#include <cstdio>

#include "menu/menu.h"

namespace tulvak {

void draw_screen(const Item *items, std::size_t count) {
    std::FILE *out = stdout;
    if (out == nullptr) return;
    std::fputs("\n====================================\n", out);
    for (std::size_t i = 0; i < count; ++i) std::fprintf(out, "(%d) %s\n", items[i].number, items[i].label);
    std::fputs("(99) EXIT\n====================================\nPlease input the item number:", out);
}

void write_text(const char *text) {
    if (stdout != nullptr) std::fputs(text, stdout);
}

void write_line(const char *text) {
    if (stdout != nullptr) std::puts(text);
}

}  // namespace tulvak
