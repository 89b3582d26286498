// The session entry: the one manager object and the main menu.
#include "menu/menu.h"
#include "menu/screen.h"
#include "session/command_pipe.h"
#include "tulvak.h"

Tulvak_Manager *Tulvak_Manager::m_instance = nullptr;

Tulvak_Manager::Tulvak_Manager() = default;

Tulvak_Manager::~Tulvak_Manager() = default;

Tulvak_Manager *Tulvak_Manager::GetInstance() {
    if (m_instance == nullptr) m_instance = new Tulvak_Manager;
    return m_instance;
}

namespace {

constexpr tulvak::Item kMainMenu[] = {
    tulvak::opens(1, "Hardware Config", Tulvak_HardwareConfig),
    tulvak::opens(2, "Software Config", Tulvak_SoftwareConfig),
    tulvak::opens(3, "Pelvar Utility", Tulvak_PelvarUtility),
};

}  // namespace

void Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE kind) {
    if (Set_System_type(kind) == 0) {
        tulvak::write_line("\n\nNeed Set System Type \n");
        return;
    }
    tulvak::run_menu<kMainMenu>();
    // Senders that come after the session wait for the next one.
    tulvak::release_command_pipe();
}
