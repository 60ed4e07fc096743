#ifndef QUILTRA_MODEL_RANDOM_H
#define QUILTRA_MODEL_RANDOM_H

#include <cstdint>

// The one generator shared by the cut and the Wizard. A seed must always give
// the same cut, so it is our own generator rather than the C library's.
extern uint32_t g_randomState;

void SeedRandom(uint32_t seed);

// 0..32767.
int NextRandom();

#endif
