// tulvak: runs one debug console session of libtulvak against the simulated
// driver library, or one of the test farm's commands as tulvakctl does.
// Standard output carries the console's screens alone; every driver call is
// shown on standard error.
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "tulvak.h"
#include "tulvak_sim.h"

namespace {

int run_session(const Invocation &invocation, int argc, char **argv) {
    TULVAK_SYSTEM_TYPE kind = TULVAK_SYSTEM_TYPE_BRAMBLEON;
    for (int i = 1; i < argc; ++i) {
        const bool pipe = std::strcmp(argv[i], "--pipe") == 0;
        if (!pipe && std::strcmp(argv[i], "--console") != 0) {
            return complain(invocation, kBadUsage, "unknown argument '%s'", argv[i]);
        }
        kind = pipe ? TULVAK_SYSTEM_TYPE_VUNE : TULVAK_SYSTEM_TYPE_BRAMBLEON;
    }
    tulvak_sim_observe([](const char *entry, int value) { std::fprintf(stderr, "%s(%d)\n", entry, value); });
    // As a TV's host opens a session.
    Tulvak_Manager::GetInstance()->Tulvak(kind);  // NOLINT(readability-static-accessed-through-instance)
    // A screen that never reached its reader is a failure a test farm must see.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        return complain(invocation, kFailed, "could not write standard output");
    }
    return kDone;
}

const Program kTulvak{"tulvak",
                      "usage: tulvak [--console | --pipe]\n"
                      "       tulvak COMMAND [ARGUMENT...]\n"
                      "       tulvak --version | --help\n"
                      "\n"
                      "Runs a debug console session with the simulated driver library, whose\n"
                      "calls are shown on standard error. Selections are typed on standard input\n"
                      "(--console, the default) or sent through /Customer/tulvakpipe (--pipe).\n"
                      "\n"
                      "The test farm's commands, as tulvakctl has them:\n",
                      run_session};

}  // namespace

int main(int argc, char **argv) { return run_program(kTulvak, argc, argv); }
