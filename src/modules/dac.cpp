// Video DAC: its setter is not in the driver library, so both items are refused.
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kItems[] = {
    tulvak::refusal(1, "Turn on QxApi_DAC_SetDbgLevel", tulvak::kNotSupported),
    tulvak::refusal(2, "Turn off QxApi_DAC_SetDbgLevel", tulvak::kNotSupported),
};

}  // namespace

void Tulvak_PelvarDACConfig() { tulvak::run_menu<kItems>(); }
