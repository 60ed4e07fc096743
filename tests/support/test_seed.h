// The seed of a property test: QUILTRA_SEED=n replays a run, otherwise the clock picks one.
// The test prints the seed it uses.
#pragma once

unsigned SeedFromEnvironment();
