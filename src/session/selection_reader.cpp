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

constexpr Selection kEnded{Selection::Kind::ended, 0};

Selection read_console_selection(const char *prompt) {
    if (stdout == nullptr) {
        if (stderr != nullptr) std::fprintf(stderr, "%s: stdConsole is null\n", "ReadDecimalKeyInput");
        return kEnded;
    }
    if (prompt != nullptr) {
        if (strnlen(prompt, kPromptLimit + 1) > kPromptLimit) return {Selection::Kind::number, 0};
        std::fputs(prompt, stdout);
    }
    std::fflush(stdout);
    char line[kConsoleLineSize] = {};
    if (stdin == nullptr || !read_console_line(line)) return kEnded;
    return {Selection::Kind::number, parse_console_selection(line)};
}

}  // namespace

Selection read_selection(const char *prompt) {
    switch (eSystemTpye) {
    case TULVAK_SYSTEM_TYPE_BRAMBLEON:
        write_line("\nTULVAK_SYSTEM_TYPE_BRAMBLEON");
        return read_console_selection(prompt);
    case TULVAK_SYSTEM_TYPE_VUNE:
        write_line("\nTULVAK_SYSTEM_TYPE_VUNE");
        return read_pipe_selection();
    default:
        // No channel at all: asking again could only spin.
        write_line("\nTULVAK_SYSTEM_TYPE_NULL");
        return kEnded;
    }
}

}  // namespace tulvak

// Only the number: a host that reads selections itself has no menus to leave.
int32_t ReadDecimalKeyInput(const char *prompt) { return tulvak::read_selection(prompt).number; }
