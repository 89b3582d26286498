// The session entry: the one manager object, the platform kind and the main menu.
#include "menu/menu.h"
#include "session/session.h"
#include "tulvak.h"

static_assert(sizeof(TULVAK_SYSTEM_TYPE) == 4, "the platform kind is held as a 32-bit integer");

// "Tpye": keep the name as it is, hosts link to it.
TULVAK_SYSTEM_TYPE eSystemTpye = TULVAK_SYSTEM_TYPE_NULL;

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
    tulvak::run_menu(tulvak::kMainMenu);
    // Said while the pipe is still held, so that a newer session's record is never overwritten.
    tulvak::state_end();
    // Senders that come after the session wait for the next one.
    tulvak::release_command_pipe();
}

int Set_System_type(TULVAK_SYSTEM_TYPE kind) {
    switch (kind) {
    case TULVAK_SYSTEM_TYPE_BRAMBLEON:
        eSystemTpye = kind;
        return 1;
    case TULVAK_SYSTEM_TYPE_VUNE:
        eSystemTpye = kind;
        // The record is begun before the pipe is made, so that it names the
        // pipe before any sender can find it. The session starts even when
        // these fail; each says why it failed.
        tulvak::state_begin();
        CreateTulvakShell();
        CreatePipeFile();
        return 1;
    default:
        eSystemTpye = TULVAK_SYSTEM_TYPE_NULL;
        return 0;
    }
}
