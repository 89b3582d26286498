/* The floor of pipe delivery: makes the command pipe, holds it open as the
 * library does (a read end and a write end of its own), and reads line after
 * line, telling descriptor 3 when each line came and which number it held.
 * Anything the console adds on top of the shell and the kernel is missing. */
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "delivery_report.h"

int main(void) {
    const char *path = "/Customer/tulvakpipe";
    unlink(path);
    if (mkfifo(path, 0777) != 0) return 1;
    int in = open(path, O_RDONLY | O_NONBLOCK);
    int keep = open(path, O_WRONLY);
    if (in < 0 || keep < 0 || fcntl(in, F_SETFL, 0) != 0) return 1;
    char bytes[128];
    int32_t number = 0;
    for (;;) {
        ssize_t count = read(in, bytes, sizeof bytes);
        if (count <= 0) return 1;
        for (ssize_t i = 0; i < count; ++i) {
            if (bytes[i] >= '0' && bytes[i] <= '9') number = number * 10 + (bytes[i] - '0');
            if (bytes[i] != '\n') continue;
            DeliveryReport report = {monotonic_ns(), number, 0};
            if (write(3, &report, sizeof report) != sizeof report) return 1;
            number = 0;
        }
    }
}
