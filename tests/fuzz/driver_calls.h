// The driver calls that menu items list, as the test data records them.
#ifndef TULVAK_FUZZ_DRIVER_CALLS_H
#define TULVAK_FUZZ_DRIVER_CALLS_H

namespace tulvak_fuzz {

// From now on every driver call is checked against the items of every menu:
// a call that no item lists with exactly that value aborts the run.
void check_driver_calls();

}  // namespace tulvak_fuzz

#endif
