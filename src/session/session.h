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
constexpr const char kStatePath[] = "/Customer/tulvak.state";
constexpr const char kStateTemplate[] = "/Customer/.tulvak.state.XXXXXX";
// Anyone's test process may send selections.
constexpr unsigned kCommandPipeMode = 0777;

// The farm's two lines, which no selection can be: "@main" takes the session
// back to the main menu from any depth, and "@mark=TOKEN" is recorded in the
// state file, so that a sender sees its own lines acted on. Each is exactly
// that text and a line feed; anything else is read as a selection is.
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
// is written when the session starts and ends, after each mark, and before
// each wait once something has changed; a console session keeps none.
void state_begin();
void state_end();
void state_opened(std::size_t number, const char *title);
void state_left();
void state_line_read();
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
