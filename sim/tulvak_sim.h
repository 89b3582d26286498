/* Stand-in for the closed driver library: it defines every debug-level entry
 * point the console calls and reports each call to one observer. */
#ifndef TULVAK_SIM_H
#define TULVAK_SIM_H

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*tulvak_sim_observer)(const char *entry_point, int value);

/* Every later call of an entry point is reported to observer; null stops reporting. */
__attribute__((visibility("default"))) void tulvak_sim_observe(tulvak_sim_observer observer);

#ifdef __cplusplus
}
#endif

#endif
