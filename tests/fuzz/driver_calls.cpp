#include "driver_calls.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "support/screens.h"
#include "tulvak_sim.h"

namespace tulvak_fuzz {
namespace {

// Each as the host shows a call: the entry point's name and the value, "F(1)".
std::set<std::string> listed_calls;

void check_call(const char *entry_point, int value) {
    const std::string call = std::string(entry_point) + "(" + std::to_string(value) + ")";
    if (listed_calls.count(call) == 0) {
        std::fprintf(stderr, "driver called as %s, which no menu item lists\n", call.c_str());
        std::abort();
    }
}

}  // namespace

void check_driver_calls() {
    for (const tulvak_test::ModuleMenu &menu : tulvak_test::module_menus()) {
        for (const tulvak_test::ModuleItem &item : menu.items) listed_calls.insert(item.effect);
    }
    tulvak_sim_observe(check_call);
}

}  // namespace tulvak_fuzz
