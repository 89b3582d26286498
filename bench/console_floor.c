/* The floor of console throughput: the console's own output bytes, made
 * with the same stdio calls it made (one write or flush per recorded call),
 * from memory, with no input to read and no menu to run. It reports how long
 * the writing took on standard error. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "delivery_report.h"

int main(int argc, char **argv) {
    FILE *file = argc == 2 ? fopen(argv[1], "rb") : NULL;
    if (file == NULL) {
        fputs("usage: console_floor RECORD\n", stderr);
        return 2;
    }
    fseek(file, 0, SEEK_END);
    const long size = ftell(file);
    rewind(file);
    char *record = malloc((size_t)size);
    if (record == NULL || fread(record, 1, (size_t)size, file) != (size_t)size) return 1;
    fclose(file);
    const int64_t start = monotonic_ns();
    for (const char *at = record; at < record + size;) {
        const char kind = *at++;
        uint32_t length;
        memcpy(&length, at, sizeof length);
        at += sizeof length;
        if (kind == 'f') {
            fflush(stdout);
        } else {
            fwrite(at, 1, length, stdout);
        }
        at += length;
    }
    const int flushed = fflush(stdout);
    /* Only the writing is the floor: reading the record in is not. */
    fprintf(stderr, "replay seconds: %.6f\n", (double)(monotonic_ns() - start) / 1e9);
    return flushed == 0 ? 0 : 1;
}
