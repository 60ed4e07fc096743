// libFuzzer target for the game file loader: any bytes must be refused or loaded without
// reading out of bounds; a loaded game keeps its table's ranges apart and its loose
// pieces on the board, and saves to bytes that load as the very same game.
#include "files/game_format.h"
#include <string.h>

static LoadedGame s_game, s_again;

static bool IsShowable(const LoadedGame& game)
{
    const GameHeader& h = game.header;
    if (h.fixedCount < 0 || h.selectedCount < 0 || h.fixedCount + h.selectedCount > h.boardCount ||
        h.boardCount > h.pieceCount)
        return false;
    for (int i = h.fixedCount; i < h.pieceCount; ++i) {
        const PieceRecord& p = game.pieces[i];
        if (!(p.posX >= 0 && p.posX <= 1 && p.posY >= 0 && p.posY <= 1))
            return false;
    }
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (ParseGameFile(data, size, &s_game) != kGameFileOk)
        return 0;
    if (!IsShowable(s_game))
        __builtin_trap();
    std::vector<unsigned char> saved;
    BuildGameFile(s_game.picturePath, s_game.header, s_game.pieces, &saved);
    if (ParseGameFile(saved.data(), saved.size(), &s_again) != kGameFileOk ||
        memcmp(&s_again.header, &s_game.header, sizeof s_game.header) != 0 ||
        memcmp(s_again.picturePath, s_game.picturePath, kGamePathSize) != 0 ||
        memcmp(s_again.pieces, s_game.pieces, sizeof(PieceRecord) * s_game.header.pieceCount) != 0)
        __builtin_trap();
    return 0;
}
