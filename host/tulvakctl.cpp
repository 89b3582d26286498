// tulvakctl: the test farm's commands alone, for the TV itself, where the
// session runs inside the platform's own host: it needs neither the driver
// library nor libtulvak.
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {

constexpr char kProgram[] = "tulvakctl";

constexpr char kText[] =
    "usage: tulvakctl COMMAND [ARGUMENT...]\n"
    "       tulvakctl --version | --help\n"
    "\n"
    "The test farm's commands, for a pipe-driven session:\n";

}  // namespace

int main(int argc, char **argv) {
    const int status = run_farm_command(kProgram, argc, argv);
    if (status >= 0) return status;
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("tulvakctl " TULVAK_VERSION);
        return kDone;
    }
    const bool help = argc == 2 && std::strcmp(argv[1], "--help") == 0;
    if (argc > 1 && !help) complain({kProgram, nullptr}, "unknown command '%s'", argv[1]);
    if (argc == 1) complain({kProgram, nullptr}, "no command");
    print_program_usage(help ? stdout : stderr, kProgram, kText);
    return help ? kDone : kBadUsage;
}
