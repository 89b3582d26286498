// The pipe-driven platform's input channel: the command pipe in /Customer,
// held open by the library for the whole session, and its reader.
#ifndef TULVAK_SESSION_COMMAND_PIPE_H
#define TULVAK_SESSION_COMMAND_PIPE_H

#include "session/selection_reader.h"

namespace tulvak {

// The next selection from the pipe, one line each.
Selection read_pipe_selection();

// Closes the pipe held and forgets any line begun; a sender that comes after
// this waits for the next session.
void release_command_pipe();

}  // namespace tulvak

#endif
