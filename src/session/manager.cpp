// The session entry: the one manager object and the main menu.
#include "menu/main_menu.h"
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

void Tulvak_Manager::Tulvak(TULVAK_SYSTEM_TYPE kind) {
    if (Set_System_type(kind) == 0) {
        tulvak::write_line("\n\nNeed Set System Type \n");
        return;
    }
    tulvak::run_menu<tulvak::kMainMenu>();
    // Senders that come after the session wait for the next one.
    tulvak::release_command_pipe();
}
