// DDC2BI: the setter its labels name is not in the driver library (CEC reaches the one
// that is), so both items are refused.
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kItems[] = {
    tulvak::refusal(1, "Turn on QxDrv_DDC2BI_SetDbgLevel", tulvak::kNotSupported),
    tulvak::refusal(2, "Turn off QxDrv_DDC2BI_SetDbgLevel", tulvak::kNotSupported),
};

}  // namespace

void Tulvak_PelvarDDC2BIConfig() { tulvak::run_menu<kItems>(); }
