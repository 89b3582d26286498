// The exported menu functions, which a host may call directly: each runs its table.
#include "menu/menu.h"
#include "modules/modules.h"
#include "tulvak.h"

void Tulvak_HardwareConfig() { tulvak::run_menu(tulvak::kHardwareMenu); }

void Tulvak_SoftwareConfig() { tulvak::run_menu(tulvak::kSoftwareMenu); }

void Tulvak_PelvarUtility() { tulvak::run_menu(tulvak::kUtilityMenu); }

#define TULVAK_MODULE_MENU_FUNCTION(module, label) \
    void Tulvak_Pelvar##module##Config() { tulvak::run_menu(tulvak::modules::module); }
TULVAK_MODULES(TULVAK_MODULE_MENU_FUNCTION)
#undef TULVAK_MODULE_MENU_FUNCTION
