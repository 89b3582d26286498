// tulvak: runs one console session of libtulvak against the simulated driver
// library. Standard output carries the console's screens alone; every driver
// call is shown on standard error.
#include <cstdio>
#include <cstring>

#include "tulvak.h"
#include "tulvak_sim.h"

namespace {

constexpr const char kUsage[] =
    "usage: tulvak [--console]\n"
    "       tulvak --help\n"
    "\n"
    "Runs a debug console session on standard input and output, with the\n"
    "simulated driver library. Each driver call is shown on standard error\n"
    "as the entry point's name and the value passed. The session ends when\n"
    "the main menu is left with 99 or standard input ends.\n";

void show_call(const char *entry_point, int value) { std::fprintf(stderr, "%s(%d)\n", entry_point, value); }

}  // namespace

int main(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--console") != 0) {
            std::fprintf(stderr, "tulvak: unknown argument '%s'\n%s", argv[i], kUsage);
            return 2;
        }
    }
    tulvak_sim_observe(show_call);
    Tulvak_Manager::GetInstance()->Tulvak(TULVAK_SYSTEM_TYPE_BRAMBLEON);
    // A screen that never reached its reader is a failure a test farm must see.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("tulvak: could not write standard output\n", stderr);
        return 1;
    }
    return 0;
}
