// Each entry point only reports its call: the console's contract with the
// driver library ends at the name and the value passed.
#include "driver/entry_points.h"
#include "tulvak_sim.h"

namespace {

tulvak_sim_observer current_observer = nullptr;

void report(const char *entry_point, int value) {
    if (current_observer != nullptr) current_observer(entry_point, value);
}

}  // namespace

void tulvak_sim_observe(tulvak_sim_observer observer) { current_observer = observer; }

#define TULVAK_SIM_ENTRY_POINT(name) \
    extern "C" __attribute__((visibility("default"))) void name(int level) { report(#name, level); }
TULVAK_ENTRY_POINTS(TULVAK_SIM_ENTRY_POINT)
