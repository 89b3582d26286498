// Hardware and software configuration: placeholders that refuse every item.
#include "menu/menu.h"
#include "tulvak.h"

namespace {

constexpr const char kConfigRefusal[] = "not support...";

constexpr tulvak::Item kHardwareMenu[] = {
    tulvak::refusal(1, "Show hardware config", kConfigRefusal),
};

constexpr tulvak::Item kSoftwareMenu[] = {
    tulvak::refusal(1, "Show Basic TV software config", kConfigRefusal),
    tulvak::refusal(2, "Show Advance TV software config", kConfigRefusal),
    tulvak::refusal(3, "Show Application config", kConfigRefusal),
};

}  // namespace

void Tulvak_HardwareConfig() { tulvak::run_menu<kHardwareMenu>(); }

void Tulvak_SoftwareConfig() { tulvak::run_menu<kSoftwareMenu>(); }
