// Everything the console writes to standard output goes through here, so a
// host that has closed its standard output stream gets silence, not a crash.
#ifndef TULVAK_MENU_SCREEN_H
#define TULVAK_MENU_SCREEN_H

namespace tulvak {

struct ItemLines;

// Writes one menu's frame and leaves the line open after its last words.
void draw_screen(const ItemLines &lines);

void write_text(const char *text);
void write_line(const char *text);

}  // namespace tulvak

#endif
