// What the parts of a session share: the pipe-driven platform's files, the
// readers of both channels and the text they write besides the screens.
#ifndef TULVAK_SESSION_SESSION_H
#define TULVAK_SESSION_SESSION_H

#include <cstdint>
#include <cstdio>

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

// One read's outcome; channel_closed means no read will ever deliver again.
struct Selection {
    int32_t number;
    bool channel_closed;
};

// True when the last read found that its channel can never deliver another
// selection (end of input, no console, no channel for the kind): the session
// must end rather than ask again.
bool selection_input_ended();

// The next selection from the command pipe, one line each.
Selection read_pipe_selection();

// Closes the command pipe held and forgets any line begun; a sender that
// comes after this waits for the next session.
void release_command_pipe();

// Base 10, with 32-bit rules fixed here rather than taken from the width of
// long; text without leading digits gives 0. The console's numbers are
// unsigned and saturate, the pipe's signed and saturate at either end; a
// minus sign never wraps round to an item number.
int32_t parse_console_selection(const char *text);
int32_t parse_pipe_selection(const char *text);

// A host that has set its standard output stream to null gets silence, not a crash.
inline void write_text(const char *text) {
    if (stdout != nullptr) std::fputs(text, stdout);
}

inline void write_line(const char *text) {
    if (stdout != nullptr) std::puts(text);
}

}  // namespace tulvak

#endif
