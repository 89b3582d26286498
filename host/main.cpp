// tulvak: runs one debug console session of libtulvak against the simulated
// driver library, or runs a test farm's command (send, list) as tulvakctl does.
// Standard output carries the console's screens alone; every driver call is
// shown on standard error.
#include <cstdio>
#include <cstring>

#include "farm.h"
#include "tulvak.h"
#include "tulvak_sim.h"

namespace {

constexpr const char kUsage[] =
    "usage: tulvak [--console]\n"
    "       tulvak --pipe\n"
    "       tulvak send [--timeout SECONDS] SELECTION... | -\n"
    "       tulvak send [--timeout SECONDS] --set NAME...\n"
    "       tulvak list [--json] [WORD]\n"
    "       tulvak --version | --help\n"
    "\n"
    "Runs a debug console session with the simulated driver library. Each\n"
    "driver call is shown on standard error as the entry point's name and the\n"
    "value passed. The session ends when the main menu is left with 99.\n"
    "\n"
    "  --console  selections are typed on standard input (the default);\n"
    "             the session also ends when standard input ends\n"
    "  --pipe     selections come through /Customer/tulvakpipe, sent with\n"
    "             'cd /Customer && sh tulvak.sh N' or 'tulvak send N'\n"
    "  send       writes each SELECTION (with '-', each one read from standard\n"
    "             input) as one line into the running session's pipe, and\n"
    "             exits 0 once the session has read them all; fails when no\n"
    "             session reads them, or after waiting SECONDS for it to;\n"
    "             with --set, the selections that choose each named item from\n"
    "             the main menu and return there, as NAME (XC_DBGLEVEL_SETTIMING)\n"
    "             or MENU/WORD (XC/SETTIMING, VE/off)\n"
    "  list       every item of every menu: its selections, menu, label and\n"
    "             what it does; WORD keeps the lines that contain it\n";

void show_call(const char *entry_point, int value) { std::fprintf(stderr, "%s(%d)\n", entry_point, value); }

int run_session(TULVAK_SYSTEM_TYPE kind) {
    tulvak_sim_observe(show_call);
    Tulvak_Manager::GetInstance();
    Tulvak_Manager::Tulvak(kind);
    // A screen that never reached its reader is a failure a test farm must see.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fputs("tulvak: could not write standard output\n", stderr);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], "send") == 0) return send_to_session(argc - 2, argv + 2);
    if (argc > 1 && std::strcmp(argv[1], "list") == 0) return list_items(argc - 2, argv + 2);
    TULVAK_SYSTEM_TYPE kind = TULVAK_SYSTEM_TYPE_BRAMBLEON;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("tulvak " TULVAK_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--console") == 0) {
            kind = TULVAK_SYSTEM_TYPE_BRAMBLEON;
        } else if (std::strcmp(argv[i], "--pipe") == 0) {
            kind = TULVAK_SYSTEM_TYPE_VUNE;
        } else {
            std::fprintf(stderr, "tulvak: unknown argument '%s'\n%s", argv[i], kUsage);
            return 2;
        }
    }
    return run_session(kind);
}
