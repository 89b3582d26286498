// The pipe-driven platform's input channel: the command pipe in /Customer,
// held open by the library for the whole session, and its reader.
#ifndef TULVAK_SESSION_COMMAND_PIPE_H
#define TULVAK_SESSION_COMMAND_PIPE_H

#include "session/selection_reader.h"

namespace tulvak {

// Takes up the named pipe at the path, unless another session holds it; once
// one has, this session never takes up the path again.
bool hold_command_pipe();

// Closes the held pipe and forgets any line begun but not delivered; a sender
// that comes after this waits for the next session.
void release_command_pipe();

// The held pipe's descriptor, or -1.
int command_pipe_descriptor();

// Readable once the held pipe has been moved off its name, or -1.
int command_pipe_move_watch();
void clear_command_pipe_move_watch();

// False once the path names something other than the pipe we hold.
bool command_pipe_still_named();

// The next selection from the pipe, one line each.
Selection read_pipe_selection();

// Drops a line begun but not yet delivered.
void forget_pipe_input();

}  // namespace tulvak

#endif
