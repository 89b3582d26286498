// The menus between the session entry and the driver modules' menus.
#include "menu/menu.h"
#include "modules/modules.h"

namespace tulvak {

// Texts scripts match, odd wording and all ("not support", "Advance"): keep
// them as they are.
constexpr char kConfigRefusal[] = "not support...";

constexpr Item kMainItems[] = {
    opens("Hardware Config", kHardwareMenu),
    opens("Software Config", kSoftwareMenu),
    opens("Pelvar Utility", kUtilityMenu),
};

constexpr Item kHardwareItems[] = {
    refusal("Show hardware config", kConfigRefusal),
};

constexpr Item kSoftwareItems[] = {
    refusal("Show Basic TV software config", kConfigRefusal),
    refusal("Show Advance TV software config", kConfigRefusal),
    refusal("Show Application config", kConfigRefusal),
};

constexpr Item kUtilityItems[] = {
#define TULVAK_UTILITY_ROW(module, label) opens(label, modules::module),
    TULVAK_MODULES(TULVAK_UTILITY_ROW)};

const Menu kMainMenu{nullptr, kMainItems};
const Menu kHardwareMenu{nullptr, kHardwareItems};
const Menu kSoftwareMenu{nullptr, kSoftwareItems};
const Menu kUtilityMenu{nullptr, kUtilityItems};

}  // namespace tulvak
