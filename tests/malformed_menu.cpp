// Menu tables that must not compile; built with MALFORMED set to pick one, and
// with MALFORMED=0 a well-formed table that must.
#include "driver/entry_points.h"
#include "menu/menu.h"

namespace {

using tulvak::driver_call;
using tulvak::refusal;

#if MALFORMED == 0
constexpr tulvak::Item kItems[] = {driver_call(1, "a", QxApi_XC_SetDbgLevel, 0),
                                   driver_call(2, "b", QxApi_XC_SetDbgLevel, 1)};
#elif MALFORMED == 1  // a gap in the numbering
constexpr tulvak::Item kItems[] = {driver_call(1, "a", QxApi_XC_SetDbgLevel, 0),
                                   driver_call(3, "b", QxApi_XC_SetDbgLevel, 1)};
#elif MALFORMED == 2  // numbered from 0
constexpr tulvak::Item kItems[] = {driver_call(0, "a", QxApi_XC_SetDbgLevel, 0),
                                   driver_call(1, "b", QxApi_XC_SetDbgLevel, 1)};
#elif MALFORMED == 3  // one value twice
constexpr tulvak::Item kItems[] = {driver_call(1, "a", QxApi_XC_SetDbgLevel, 4),
                                   driver_call(2, "b", QxApi_XC_SetDbgLevel, 4)};
#elif MALFORMED == 4  // a row copied from another module's table
constexpr tulvak::Item kItems[] = {driver_call(1, "a", QxApi_XC_SetDbgLevel, 0),
                                   driver_call(2, "b", QxApi_DMX_SetDbgLevel, 1)};
#elif MALFORMED == 5  // calls mixed with refusals
constexpr tulvak::Item kItems[] = {driver_call(1, "a", QxApi_XC_SetDbgLevel, 0),
                                   refusal(2, "b", tulvak::kNotSupported)};
#elif MALFORMED == 6  // refusals with two messages, where a menu keeps one
constexpr char kOtherRefusal[] = "not support...";
constexpr tulvak::Item kItems[] = {refusal(1, "a", tulvak::kNotSupported), refusal(2, "b", kOtherRefusal)};
#endif

}  // namespace

void malformed_menu() { tulvak::run_menu<kItems>(); }
