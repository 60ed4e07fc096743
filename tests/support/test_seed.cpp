#include "tests/support/test_seed.h"
#include <windows.h>
#include <stdlib.h>

unsigned SeedFromEnvironment()
{
    const char* text = getenv("QUILTRA_SEED");
    return text && *text ? (unsigned)strtoul(text, nullptr, 10) : (unsigned)GetTickCount();
}
