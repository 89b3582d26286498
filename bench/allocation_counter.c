/* Preloaded into a session, it counts every heap allocation the process
 * makes (operator new comes through malloc too) and writes the count to
 * standard error when the process ends. */
#include <errno.h>
#include <stddef.h>
#include <stdio.h>

extern void *__libc_malloc(size_t size);
extern void *__libc_calloc(size_t count, size_t size);
extern void *__libc_realloc(void *block, size_t size);
extern void *__libc_memalign(size_t alignment, size_t size);
extern void __libc_free(void *block);

static unsigned long allocations;

void *malloc(size_t size) {
    ++allocations;
    return __libc_malloc(size);
}

void *calloc(size_t count, size_t size) {
    ++allocations;
    return __libc_calloc(count, size);
}

void *realloc(void *block, size_t size) {
    ++allocations;
    return __libc_realloc(block, size);
}

void *aligned_alloc(size_t alignment, size_t size) {
    ++allocations;
    return __libc_memalign(alignment, size);
}

int posix_memalign(void **block, size_t alignment, size_t size) {
    ++allocations;
    *block = __libc_memalign(alignment, size);
    return *block == NULL ? ENOMEM : 0;
}

void free(void *block) { __libc_free(block); }

__attribute__((destructor)) static void report(void) { fprintf(stderr, "allocations: %lu\n", allocations); }
