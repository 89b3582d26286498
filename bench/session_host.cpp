// The host the benchmarks run: one session of the library against the
// simulated driver, with nothing of its own on the way. In a pipe-driven
// session each driver call is reported, with the moment it happened, on
// descriptor 3 to whoever measures delivery times; any other session tells
// its peak resident memory on standard error at its end.
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "delivery_report.h"
#include "tulvak.h"
#include "tulvak_sim.h"

namespace {

constexpr int kReportFd = 3;

void report_call(const char *, int value) {
    const DeliveryReport report{monotonic_ns(), value, 0};
    // The reader of these records is waiting for exactly this one.
    if (write(kReportFd, &report, sizeof report) != sizeof report) _exit(3);
}

// The kernel's own record of this process's peak resident memory; asked for
// from inside, since what wait4 reports also counts the spawning parent's.
void report_peak_memory() {
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) std::fprintf(stderr, "peak resident KiB: %ld\n", std::atol(line + 6));
    }
    std::fclose(status);
}

}  // namespace

int main(int argc, char **argv) {
    const char *mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "console") == 0) {
        Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE_BRAMBLEON);
    } else if (std::strcmp(mode, "pipe") == 0) {
        tulvak_sim_observe(report_call);
        Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE_VUNE);
    } else if (std::strcmp(mode, "idle") != 0) {
        std::fputs("usage: session_host console|pipe|idle\n", stderr);
        return 2;
    }
    const int flushed = std::fflush(stdout);
    if (std::strcmp(mode, "pipe") != 0) report_peak_memory();
    return flushed == 0 ? 0 : 1;
}
