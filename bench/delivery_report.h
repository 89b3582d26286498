/* What a pipe reader under measurement tells the bench about each selection
 * it has taken: when, and which. Shared by the C floor reader and the C++
 * session host and bench. */
#ifndef TULVAK_BENCH_DELIVERY_REPORT_H
#define TULVAK_BENCH_DELIVERY_REPORT_H

#include <stdint.h>
#include <time.h>

typedef struct DeliveryReport {
    int64_t when_ns; /* CLOCK_MONOTONIC, the same clock in every process */
    int32_t tag;     /* the driver value passed, or the selection read */
    int32_t unused;
} DeliveryReport;

static inline int64_t monotonic_ns(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
}

#endif
