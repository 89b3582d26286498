// What the menus need to know about the reader beyond the number it returns.
#ifndef TULVAK_SESSION_SELECTION_READER_H
#define TULVAK_SESSION_SELECTION_READER_H

#include <cstdint>

namespace tulvak {

// One read's outcome; channel_closed means no read will ever deliver again.
struct Selection {
    int32_t number;
    bool channel_closed;
};

// True when the last read found that its channel can never deliver another
// selection (end of input, no console, no channel for the kind): the session
// must end rather than ask again.
bool selection_input_ended();

}  // namespace tulvak

#endif
