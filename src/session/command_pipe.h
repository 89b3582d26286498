// The pipe-driven platform's input channel.
#ifndef TULVAK_SESSION_COMMAND_PIPE_H
#define TULVAK_SESSION_COMMAND_PIPE_H

#include "session/selection_reader.h"

namespace tulvak {

Selection read_pipe_selection();

}  // namespace tulvak

#endif
