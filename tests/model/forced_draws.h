#ifndef QUILTRA_TESTS_MODEL_FORCED_DRAWS_H
#define QUILTRA_TESTS_MODEL_FORCED_DRAWS_H

#include <cstdint>

// Runs the generator backwards: the seed whose draw number `drawIndex`
// (0 = the first after seeding) comes out as `wanted`.
inline uint32_t SeedForDraw(int wanted, int drawIndex)
{
    const uint32_t multiplier = 214013u;
    // An odd number is its own inverse modulo 8; each Newton step doubles the
    // correct low bits, so four steps cover all 32.
    uint32_t inverse = multiplier;
    for (int i = 0; i < 4; ++i)
        inverse *= 2u - multiplier * inverse;
    uint32_t state = static_cast<uint32_t>(wanted) << 16;
    for (int i = 0; i <= drawIndex; ++i)
        state = (state - 2531011u) * inverse;
    return state;
}

#endif
