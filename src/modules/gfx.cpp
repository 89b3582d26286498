// Graphics engine: its setter is not in the driver library, so both items are refused.
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr tulvak::Item kItems[] = {
    tulvak::refusal(1, "Turn on QxApi_GFX_SetDbgLevel", tulvak::kNotSupported),
    tulvak::refusal(2, "Turn off QxApi_GFX_SetDbgLevel", tulvak::kNotSupported),
};

}  // namespace

void Tulvak_PelvarGFXConfig() { tulvak::run_menu<kItems>(); }
