// tulvakctl: the test farm's commands alone, for the TV itself, where the
// session runs inside the platform's own host: it needs neither the driver
// library nor libtulvak, only libc.
#include <cstdio>
#include <cstring>

#include "farm.h"

namespace {

constexpr const char kUsage[] =
    "usage: tulvakctl send [--timeout SECONDS] SELECTION... | -\n"
    "       tulvakctl send [--timeout SECONDS] --set NAME...\n"
    "       tulvakctl list [--json] [WORD]\n"
    "       tulvakctl --version | --help\n"
    "\n"
    "  send   writes each SELECTION as one line into the pipe-driven session's\n"
    "         /Customer/tulvakpipe; with --set, the selections that choose each\n"
    "         named item from the main menu and return there, as NAME\n"
    "         (XC_DBGLEVEL_SETTIMING) or MENU/WORD (XC/SETTIMING, VE/off)\n"
    "  list   every item of every menu: its selections, menu, label and what\n"
    "         it does; WORD keeps the lines that contain it, ignoring case\n";

}  // namespace

int main(int argc, char **argv) {
    if (argc > 1 && std::strcmp(argv[1], "send") == 0) return send_to_session(argc - 2, argv + 2);
    if (argc > 1 && std::strcmp(argv[1], "list") == 0) return list_items(argc - 2, argv + 2);
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("tulvakctl " TULVAK_VERSION);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::fprintf(stderr, "tulvakctl: %s\n%s", argc > 1 ? "unknown command" : "no command", kUsage);
    return 2;
}
