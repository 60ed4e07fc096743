// libFuzzer target for the game file loader: any bytes must be refused or loaded without
// reading out of bounds, and a loaded game must save back to the very bytes it came from.
#include "files/game_format.h"
#include <string.h>

static LoadedGame s_game;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (ParseGameFile(data, size, &s_game) != kGameFileOk)
        return 0;
    std::vector<unsigned char> saved;
    BuildGameFile(s_game.picturePath, s_game.header, s_game.pieces, &saved);
    if (saved.size() > size || memcmp(saved.data(), data, saved.size()) != 0)
        __builtin_trap();
    return 0;
}
