// What the parts of a session share: the pipe-driven platform's files, the
// readers of both channels and the text they write besides the screens.
#ifndef TULVAK_SESSION_SESSION_H
#define TULVAK_SESSION_SESSION_H

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "driver/entry_points.h"

namespace tulvak {

// Outside test processes find the pipe-driven platform's two files here, so
// the paths are fixed, not configured. mkstemp fills in the X's of the
// names a file is made under; the leading dot keeps a half-made file out of
// the way of anyone listing the directory.
constexpr const char kRelayScriptPath[] = "/Customer/tulvak.sh";
constexpr const char kRelayScriptTemplate[] = "/Customer/.tulvak.sh.XXXXXX";
constexpr const char kCommandPipePath[] = "/Customer/tulvakpipe";
constexpr const char kCommandPipeTemplate[] = "/Customer/.tulvakpipe.XXXXXX";
// Anyone's test process may send selections.
constexpr unsigned kCommandPipeMode = 0777;

// The session's live state changes with every selection, and /Customer is
// the set's flash: it lives in a RAM-backed folder that only root writes,
// given by the build (TULVAK_STATE_DIR) for a platform that has its own.
constexpr const char kStateDir[] = TULVAK_STATE_DIR;
constexpr const char kStatePath[] = TULVAK_STATE_DIR "/state";

// The farm's lines, which no selection can be: "@begin" does nothing but end
// whatever line another writer left open, so a sender's lines are read as
// it wrote them; "@main" takes the session back to the main menu from any
// depth; "@mark=TOKEN" is recorded in the state, so that a sender sees its
// own lines acted on. Each is exactly that text and a line feed; anything
// else is read as a selection is.
constexpr char kBeginLine[] = "@begin\n";
constexpr char kToMainLine[] = "@main\n";
constexpr char kMarkPrefix[] = "@mark=";
constexpr std::size_t kMarkTokenLimit = 32;

// What a read gave the menus: a number (0 when nothing usable came), the
// end of input for good, or the line back to the main menu.
struct Selection {
    enum class Kind : unsigned char { number, ended, to_main };
    Kind kind;
    int32_t number;
};

// The next selection from the channel of the platform kind; the prompt is
// the console's.
Selection read_selection(const char *prompt);

// The next selection from the command pipe, one line each.
Selection read_pipe_selection();

// Closes the command pipe held and forgets any line begun; a sender that
// comes after this waits for the next session.
void release_command_pipe();

// Whether a newer session holds the pipe at the path, so that this one must
// no longer speak for it.
bool pipe_taken_over();

// The named pipe the session holds, if it holds one, which the state names.
const struct stat *held_pipe();

// Base 10, with 32-bit rules fixed here rather than taken from the width of
// long; text without leading digits gives 0. The console's numbers are
// unsigned and saturate, the pipe's signed and saturate at either end; a
// minus sign never wraps round to an item number.
int32_t parse_console_selection(const char *text);
int32_t parse_pipe_selection(const char *text);

// The pipe-driven session's record for the farm, kept in kStatePath: what it
// shows and has read, the marks it saw and each entry point's last call. It
// is written as the session puts its pipe in place, when it ends, after each
// mark, and before each wait once something has changed; a console session
// keeps none. state_begin only starts the record; state_put_in_place writes
// it, then calls put_in_place(name), under the lock that an older session
// takes to write its own: no older session's record replaces a newer one's.
void state_begin();
bool state_put_in_place(bool (*put_in_place)(const char *name), const char *name);
void state_end();
void state_opened(std::size_t number, const char *title);
void state_left();
void state_line_read();
void state_changed();
void state_marked(const char *token, std::size_t length);
void state_called(std::size_t number, EntryPoint entry_point, int value);
void state_flush();

// A host that has set its standard output stream to null gets silence, not a crash.
inline void write_text(const char *text) {
    if (stdout != nullptr) std::fputs(text, stdout);
}

inline void write_line(const char *text) {
    if (stdout != nullptr) std::puts(text);
}

}  // namespace tulvak

#endif
