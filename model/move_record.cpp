#include "model/move_record.h"

#include <cstring>

#include "model/game_state.h"

void MoveRecord(int from, int to)
{
    PieceRecord* pieces = g_game.pieces;
    const PieceRecord moving = pieces[from];
    if (from < to)
        std::memmove(&pieces[from], &pieces[from + 1], (to - from) * sizeof(PieceRecord));
    else
        std::memmove(&pieces[to + 1], &pieces[to], (from - to) * sizeof(PieceRecord));
    pieces[to] = moving;
}
