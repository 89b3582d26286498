// The console's one screen format; scripts parse it, so every byte counts.
#include "menu/screen.h"

#include <cstdio>

#include "menu/menu.h"

namespace tulvak {

// Three writes a screen, whatever the number of items: the item lines were
// written out when the menu was compiled.
void draw_screen(const ItemLines &lines) {
    std::FILE *out = stdout;
    if (out == nullptr) return;
    std::fputs("\n====================================\n", out);
    std::fwrite(lines.text, 1, lines.length, out);
    std::fputs("(99) EXIT\n====================================\nPlease input the item number:", out);
}

void write_text(const char *text) {
    if (stdout != nullptr) std::fputs(text, stdout);
}

void write_line(const char *text) {
    if (stdout != nullptr) std::puts(text);
}

}  // namespace tulvak
