// Text the console writes besides its screens. A host that has set its
// standard output stream to null gets silence, not a crash.
#ifndef TULVAK_SESSION_OUTPUT_H
#define TULVAK_SESSION_OUTPUT_H

#include <cstdio>

namespace tulvak {

inline void write_text(const char *text) {
    if (stdout != nullptr) std::fputs(text, stdout);
}

inline void write_line(const char *text) {
    if (stdout != nullptr) std::puts(text);
}

}  // namespace tulvak

#endif
