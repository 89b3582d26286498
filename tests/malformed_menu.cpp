// A menu table given as ITEMS, which must not compile unless it is well formed.
#include "driver/entry_points.h"
#include "menu/menu.h"

using tulvak::driver_call;
using tulvak::refusal;
constexpr char kOtherRefusal[] = "not support...";
constexpr tulvak::Item kItems[] = {ITEMS};

void malformed_menu() { tulvak::run_menu<kItems>(); }
