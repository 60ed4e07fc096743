#include "model/game_state.h"

#include "model/piece_groups.h"

#include <cstring>

GameState g_game;

void ResetGameState()
{
    std::memset(&g_game, 0, sizeof(g_game));
    g_game.header.columns = 10;
    g_game.header.rows = 10;
    g_game.squareMode = 1;
    ClearGroups();
}

bool IsEdgePiece(const PieceRecord& piece, const GameHeader& header)
{
    return piece.column == 0 || piece.row == 0 || piece.column == header.columns - 1 ||
        piece.row == header.rows - 1;
}
