/* The floor of confirmed sending: writes one selection into the command pipe
 * and waits until the pipe is empty, looking every 50 microseconds, with
 * nothing else on the way; fails if the reader goes. usage: confirmed_floor_sender N */
#define _GNU_SOURCE
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <sys/ioctl.h>
#include <unistd.h>

int main(int argc, char **argv) {
    if (argc != 2) return 2;
    int fd = open("/Customer/tulvakpipe", O_WRONLY | O_NONBLOCK);
    char line[40];
    int length = snprintf(line, sizeof line, "%s\n", argv[1]);
    if (fd < 0 || write(fd, line, (size_t)length) != length) return 1;
    int unread;
    while (ioctl(fd, FIONREAD, &unread) == 0 && unread > 0) {
        const struct timespec check = {0, 50 * 1000};
        struct pollfd reader_gone = {fd, 0, 0};
        if (ppoll(&reader_gone, 1, &check, NULL) > 0) return 1;
    }
    return 0;
}
