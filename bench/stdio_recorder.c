/* Preloaded into one console session, it records every stdio call that writes
 * or flushes standard output, with the bytes it wrote, so that the floor can
 * make the same calls with the same bytes. The file named by
 * TULVAK_BENCH_RECORD gets, per call, 'w' or 'f', a 32-bit length and the
 * bytes. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static char *recorded;
static size_t recorded_length, recorded_capacity;

static void keep(const void *bytes, size_t length) {
    if (recorded_length + length > recorded_capacity) {
        recorded_capacity = 2 * (recorded_length + length) + 4096;
        recorded = realloc(recorded, recorded_capacity);
        if (recorded == NULL) abort();
    }
    memcpy(recorded + recorded_length, bytes, length);
    recorded_length += length;
}

static void record(char kind, const void *bytes, size_t length) {
    const uint32_t length32 = (uint32_t)length;
    keep(&kind, 1);
    keep(&length32, sizeof length32);
    keep(bytes, length);
}

__attribute__((destructor)) static void save(void) {
    const char *path = getenv("TULVAK_BENCH_RECORD");
    const int fd = path != NULL ? open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644) : -1;
    if (fd < 0 || write(fd, recorded, recorded_length) != (ssize_t)recorded_length) abort();
    close(fd);
}

static size_t real_fwrite(const void *bytes, size_t size, size_t count, FILE *stream) {
    static size_t (*next)(const void *, size_t, size_t, FILE *);
    if (next == NULL) next = (size_t(*)(const void *, size_t, size_t, FILE *))dlsym(RTLD_NEXT, "fwrite");
    return next(bytes, size, count, stream);
}

size_t fwrite(const void *bytes, size_t size, size_t count, FILE *stream) {
    if (stream == stdout) record('w', bytes, size * count);
    return real_fwrite(bytes, size, count, stream);
}

int fputs(const char *text, FILE *stream) { return fwrite(text, 1, strlen(text), stream) == strlen(text) ? 1 : EOF; }

int puts(const char *text) {
    const size_t length = strlen(text);
    char *line = malloc(length + 1);
    memcpy(line, text, length);
    line[length] = '\n';
    const size_t written = fwrite(line, 1, length + 1, stdout);
    free(line);
    return written == length + 1 ? 1 : EOF;
}

int fputc(int c, FILE *stream) {
    const unsigned char byte = (unsigned char)c;
    return fwrite(&byte, 1, 1, stream) == 1 ? byte : EOF;
}
int putc(int c, FILE *stream) { return fputc(c, stream); }
int putchar(int c) { return fputc(c, stdout); }

int vfprintf(FILE *stream, const char *format, va_list args) {
    char *text = NULL;
    const int length = vasprintf(&text, format, args);
    if (length < 0) return length;
    const size_t written = fwrite(text, 1, (size_t)length, stream);
    free(text);
    return written == (size_t)length ? length : -1;
}

int fprintf(FILE *stream, const char *format, ...) {
    va_list args;
    va_start(args, format);
    const int length = vfprintf(stream, format, args);
    va_end(args);
    return length;
}

int printf(const char *format, ...) {
    va_list args;
    va_start(args, format);
    const int length = vfprintf(stdout, format, args);
    va_end(args);
    return length;
}

int vprintf(const char *format, va_list args) { return vfprintf(stdout, format, args); }

int fflush(FILE *stream) {
    static int (*next)(FILE *);
    if (next == NULL) next = (int (*)(FILE *))dlsym(RTLD_NEXT, "fflush");
    if (stream == stdout || stream == NULL) record('f', "", 0);
    return next(stream);
}
