// Any bytes at all typed on the console, through the whole menu tree: the
// session must end when they do, and call the driver only as items list.
#include <cstdint>
#include <cstdio>

#include "driver_calls.h"
#include "tulvak.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    // The screens are not what is checked here; writing them still is.
    stdout = std::fopen("/dev/null", "w");
    tulvak_fuzz::check_driver_calls();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    FILE *typed = size > 0 ? fmemopen(const_cast<uint8_t *>(data), size, "r") : std::fopen("/dev/null", "r");
    stdin = typed;
    Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE_BRAMBLEON);
    std::fclose(typed);
    return 0;
}
