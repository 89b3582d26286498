// Turns the text of one selection into a number, with 32-bit rules fixed here
// rather than taken from the width of long on whatever machine builds us.
#ifndef TULVAK_SESSION_DECIMAL_H
#define TULVAK_SESSION_DECIMAL_H

#include <cstdint>

namespace tulvak {

// Console rules: unsigned 32-bit, saturating; a minus sign negates, but a
// magnitude of 2^31 or more gives INT32_MIN so that no negative text can wrap
// round to an item number. Text without leading digits gives 0.
int32_t parse_console_selection(const char *text);

// Command pipe rules: signed 32-bit, saturating at whichever end the text
// overflows. Text without leading digits gives 0.
int32_t parse_pipe_selection(const char *text);

}  // namespace tulvak

#endif
