/* The floor of pipe delivery: makes the command pipe, holds it open as the
 * library does (a read end and a write end of its own), and reads line after
 * line, telling descriptor 3 when each line came and which number it held.
 * It confirms as a session must for tulvakctl send: its state names its pipe,
 * and is replaced at each mark. Anything the console adds on top of the
 * shell, the kernel and that is missing. */
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "delivery_report.h"

static struct stat pipe_file;
static unsigned long marks;
static char kept[32][64]; /* the newest marks, each with its line feed, as many as a session keeps */

static int write_state(void) {
    char text[2048];
    int length =
        snprintf(text, sizeof text,
                 "tulvak-state 1\npid %ld\nplatform TULVAK_SYSTEM_TYPE_VUNE\nstarted 2026-01-01T00:00:00Z\n"
                 "pipe %llu %llu\nmenu Main Menu\nmarks %lu\n",
                 (long)getpid(), (unsigned long long)pipe_file.st_dev, (unsigned long long)pipe_file.st_ino, marks);
    for (unsigned long i = marks < 32 ? 0 : marks - 32; i < marks; ++i) {
        length += snprintf(text + length, sizeof text - (size_t)length, "mark %s", kept[i % 32]);
    }
    int fd = open(TULVAK_STATE_DIR "/.state.new", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int written = fd >= 0 && write(fd, text, (size_t)length) == length;
    return fd >= 0 && close(fd) == 0 && written &&
           rename(TULVAK_STATE_DIR "/.state.new", TULVAK_STATE_DIR "/state") == 0;
}

int main(void) {
    const char *path = "/Customer/tulvakpipe";
    unlink(path);
    if (mkfifo(path, 0777) != 0) return 1;
    int in = open(path, O_RDONLY | O_NONBLOCK);
    int keep = open(path, O_WRONLY);
    if (in < 0 || keep < 0 || fcntl(in, F_SETFL, 0) != 0 || fstat(in, &pipe_file) != 0 || !write_state()) return 1;
    char bytes[128];
    char line[64];
    size_t length = 0;
    for (;;) {
        ssize_t count = read(in, bytes, sizeof bytes);
        if (count <= 0) return 1;
        for (ssize_t i = 0; i < count; ++i) {
            if (length < sizeof line - 1) line[length++] = bytes[i];
            if (bytes[i] != '\n') continue;
            line[length] = '\0';
            length = 0;
            if (strncmp(line, "@mark=", 6) == 0) {
                snprintf(kept[marks++ % 32], sizeof kept[0], "%s", line + 6);
                if (!write_state()) return 1;
            }
            if (line[0] == '@') continue;
            int32_t number = 0;
            for (const char *c = line; *c >= '0' && *c <= '9'; ++c) number = number * 10 + (*c - '0');
            DeliveryReport report = {monotonic_ns(), number, 0};
            if (write(3, &report, sizeof report) != sizeof report) return 1;
        }
    }
}
