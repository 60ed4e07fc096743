#include "tests/support/test_seed.h"
#include <chrono>
#include <stdlib.h>

unsigned SeedFromEnvironment()
{
    const char* text = getenv("QUILTRA_SEED");
    if (text && *text)
        return (unsigned)strtoul(text, nullptr, 10);
    return (unsigned)std::chrono::steady_clock::now().time_since_epoch().count();
}
