// The only code that reads selections: the console line reader here, the
// command pipe's reader beside it, chosen by the platform kind on every call.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "session/session.h"
#include "tulvak.h"

namespace tulvak {
namespace {

constexpr std::size_t kPromptLimit = 1024;
constexpr std::size_t kConsoleLineSize = 32;

bool input_ended = false;

// Keeps the first 31 bytes of a line and consumes the rest of it, so the tail
// of an over-long line is never taken for the next selection. Reading byte by
// byte also keeps a NUL inside the line from hiding its line feed.
bool read_console_line(char (&line)[kConsoleLineSize]) {
    std::size_t length = 0;
    for (;;) {
        const int c = std::getc(stdin);
        if (c == EOF) {
            // A signal caught by the host must not end the session.
            if (std::ferror(stdin) != 0 && errno == EINTR) {
                std::clearerr(stdin);
                continue;
            }
            return length > 0;
        }
        if (length < kConsoleLineSize - 1) line[length++] = static_cast<char>(c);
        if (c == '\n') return true;
    }
}

Selection read_console_selection(const char *prompt) {
    if (stdout == nullptr) {
        if (stderr != nullptr) std::fprintf(stderr, "%s: stdConsole is null\n", "ReadDecimalKeyInput");
        return {0, true};
    }
    if (prompt != nullptr) {
        if (strnlen(prompt, kPromptLimit + 1) > kPromptLimit) return {0, false};
        std::fputs(prompt, stdout);
    }
    std::fflush(stdout);
    char line[kConsoleLineSize] = {};
    if (stdin == nullptr || !read_console_line(line)) return {0, true};
    return {parse_console_selection(line), false};
}

}  // namespace

bool selection_input_ended() { return input_ended; }

}  // namespace tulvak

int32_t ReadDecimalKeyInput(const char *prompt) {
    tulvak::Selection selection{0, true};
    switch (eSystemTpye) {
    case TULVAK_SYSTEM_TYPE_BRAMBLEON:
        tulvak::write_line("\nTULVAK_SYSTEM_TYPE_BRAMBLEON");
        selection = tulvak::read_console_selection(prompt);
        break;
    case TULVAK_SYSTEM_TYPE_VUNE:
        tulvak::write_line("\nTULVAK_SYSTEM_TYPE_VUNE");
        selection = tulvak::read_pipe_selection();
        break;
    default:
        // No channel at all: asking again could only spin.
        tulvak::write_line("\nTULVAK_SYSTEM_TYPE_NULL");
    }
    tulvak::input_ended = selection.channel_closed;
    return selection.number;
}
