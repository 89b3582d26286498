// The library's one reference to each driver entry point.
#include "driver/entry_points.h"

#include <cstddef>

namespace tulvak {
namespace {

using Setter = void (*)(int);

constexpr Setter kSetters[] = {
#define TULVAK_SETTER(name) &(name),
    TULVAK_ENTRY_POINTS(TULVAK_SETTER)
#undef TULVAK_SETTER
};

}  // namespace

void call_driver(EntryPoint entry_point, int value) { kSetters[static_cast<std::size_t>(entry_point)](value); }

}  // namespace tulvak
