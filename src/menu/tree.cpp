// The menus between the session entry and the driver modules' menus, and
// the fingerprint of the whole tree.
#include <cstdint>

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

namespace {

// FNV-1a over 64 bits: the same tables give the same number on every target.
constexpr std::uint64_t kPrime = 0x100000001b3ULL;

std::uint64_t mixed(std::uint64_t hash, const char *text) {
    for (; text != nullptr && *text != '\0'; ++text) hash = (hash ^ static_cast<unsigned char>(*text)) * kPrime;
    return (hash ^ 0xffU) * kPrime;  // ends each text, so that "ab" "c" is not "a" "bc"
}

std::uint64_t fingerprint(const Menu &menu, std::uint64_t hash) {  // NOLINT(misc-no-recursion)
    hash = mixed(hash, menu.module);
    for (std::size_t i = 0; i < menu.count; ++i) {
        const Item &item = menu.items[i];
        hash = mixed(mixed(hash, item.label), item.refusal);
        if (item.action == Item::Action::open_menu) hash = mixed(fingerprint(*item.menu, hash), "");
        if (item.action != Item::Action::driver_call) continue;
        hash = mixed(hash, kEntryPointNames[static_cast<std::size_t>(item.entry_point)]);
        for (unsigned shift = 0; shift < 32; shift += 8) {
            hash = (hash ^ ((static_cast<std::uint32_t>(item.value) >> shift) & 0xffU)) * kPrime;
        }
    }
    return hash;
}

}  // namespace

std::uint64_t tree_fingerprint() { return fingerprint(kMainMenu, 0xcbf29ce484222325ULL); }

}  // namespace tulvak
