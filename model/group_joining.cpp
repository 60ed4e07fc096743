#include "model/group_joining.h"

#include <algorithm>
#include <cstdlib>

#include "model/game_state.h"
#include "model/home_tolerance.h"
#include "model/piece_groups.h"
#include "model/shell_calls.h"

namespace {

// By home cell: the loose piece's table index, or -1 for a cell whose piece is not loose.
int s_indexOfCell[kMaxPieces];
// By home cell, while JoinLooseNeighbours grows its groups: the cell each points to.
int s_forest[kMaxPieces];
// The table indices of the pieces put down, group by group.
int s_putDown[kMaxPieces];
// By key, for one put-down: which group of s_putDown it is, stamped by the put-down.
int s_groupOfKey[kMaxPieces];
int s_keyStamp[kMaxPieces];
int s_putDowns;
int s_groupStart[kMaxPieces + 1];
int s_groupSize[kMaxPieces];
// By key: stamped when a group of the put-down joins the group of that key, whose place is
// then taken.
int s_settledStamp[kMaxPieces];

int LooseEnd()
{
    return g_game.header.boardCount - g_game.header.selectedCount;
}

// Only the loose pieces can be neighbours to join; every other cell says -1. Joining moves
// no record, so one index serves a whole put-down.
void IndexLooseCells()
{
    const GameHeader& header = g_game.header;
    std::fill(s_indexOfCell, s_indexOfCell + header.pieceCount, -1);
    for (int i = header.fixedCount; i < LooseEnd(); ++i)
        s_indexOfCell[CellOf(g_game.pieces[i])] = i;
}

// The loose piece at the cell beside `piece` on `side`, or -1.
int LooseNeighbour(const PieceRecord& piece, int side)
{
    const GameHeader& header = g_game.header;
    int column = piece.column, row = piece.row;
    // clang-format off
    switch (side) {
    case kSideBottom: ++row; break;
    case kSideTop:    --row; break;
    case kSideRight:  ++column; break;
    default:          --column; break;
    }
    // clang-format on
    if (column < 0 || row < 0 || column >= header.columns || row >= header.rows)
        return -1;
    return s_indexOfCell[column * header.rows + row];
}

// With path halving.
int RootCell(int cell)
{
    while (s_forest[cell] != cell) {
        s_forest[cell] = s_forest[s_forest[cell]];
        cell = s_forest[cell];
    }
    return cell;
}

// Sorts the range's pieces into s_putDown group by group, each group's pieces in table
// order; returns how many groups. Group g's pieces are s_putDown[s_groupStart[g] ..
// s_groupStart[g + 1]).
int SortPutDownByGroup(int from, int to)
{
    ++s_putDowns;
    int groups = 0;
    for (int i = from; i < to; ++i) {
        const int key = GroupKeyOf(g_game.pieces[i]);
        if (s_keyStamp[key] != s_putDowns) {
            s_keyStamp[key] = s_putDowns;
            s_groupOfKey[key] = groups;
            s_groupSize[groups++] = 0;
        }
        ++s_groupSize[s_groupOfKey[key]];
    }
    s_groupStart[0] = 0;
    for (int g = 0; g < groups; ++g) {
        s_groupStart[g + 1] = s_groupStart[g] + s_groupSize[g];
        s_groupSize[g] = 0;
    }
    for (int i = from; i < to; ++i) {
        const int g = s_groupOfKey[GroupKeyOf(g_game.pieces[i])];
        s_putDown[s_groupStart[g] + s_groupSize[g]++] = i;
    }
    return groups;
}

// The loose neighbour of another group whose place for these pieces lies nearest within the
// tolerance and keeps them on the board, or -1.
int NearestFittingNeighbour(const int* pieces, int count)
{
    const int key = GroupKeyOf(g_game.pieces[pieces[0]]);
    const PixelShift shift = ShiftFromHome(pieces[0]);
    int nearest = -1, nearestDistance = 0;
    for (int k = 0; k < count; ++k) {
        for (int side = 0; side < 4; ++side) {
            const int j = LooseNeighbour(g_game.pieces[pieces[k]], side);
            if (j < 0 || GroupKeyOf(g_game.pieces[j]) == key)
                continue;
            const PixelShift there = ShiftFromHome(j);
            const int dx = there.x - shift.x, dy = there.y - shift.y;
            const int distance = std::abs(dx) + std::abs(dy);
            if (IsWithinHomeTolerance(dx, dy) && (nearest < 0 || distance < nearestDistance) &&
                FitsOnBoard(pieces, count, there)) {
                nearest = j;
                nearestDistance = distance;
            }
        }
    }
    return nearest;
}

// Moves these pieces to `shift` at `within` in their pixels, into the group `key`.
void Settle(const int* pieces, int count, int key, PixelShift shift, PixelWithin within)
{
    for (int k = 0; k < count; ++k) {
        PlaceAtShift(pieces[k], shift, within);
        SetGroupKey(g_game.pieces[pieces[k]], key);
    }
}

// The whole loose group `other` joins `key`, laid out as its pieces lie.
void Absorb(int other, int key, PixelShift shift, PixelWithin within)
{
    for (int i = g_game.header.fixedCount; i < LooseEnd(); ++i) {
        if (GroupKeyOf(g_game.pieces[i]) != other)
            continue;
        PlaceAtShift(i, shift, within);
        SetGroupKey(g_game.pieces[i], key);
    }
}

// One group put down: it moves to its nearest fitting neighbour's group, if it may still move,
// and then takes in every other neighbour sitting exactly beside it. Whatever joins is laid
// out whole at one step within the pixel, so that laying the group out again from whichever
// piece is now its first, as opening a saved game does, moves nothing.
void JoinGroup(const int* pieces, int count, bool mayMove)
{
    const int nearest = mayMove ? NearestFittingNeighbour(pieces, count) : -1;
    const int lead = nearest >= 0 ? nearest : pieces[0];
    const int key = GroupKeyOf(g_game.pieces[lead]);
    const PixelShift shift = ShiftFromHome(lead);
    const PixelWithin within = WithinOf(lead);
    bool joined = false;
    if (nearest >= 0) {
        // The neighbour's group is laid out anew at the step its piece gives: a piece that
        // stood alone, or a group's first, lies anywhere in its pixel and may not be first
        // once these pieces join.
        Absorb(key, key, shift, within);
        Settle(pieces, count, key, shift, within);
        s_settledStamp[key] = s_putDowns;
        joined = true;
    }
    for (int k = 0; k < count; ++k) {
        for (int side = 0; side < 4; ++side) {
            const int j = LooseNeighbour(g_game.pieces[pieces[k]], side);
            if (j < 0 || GroupKeyOf(g_game.pieces[j]) == key ||
                !SameShift(ShiftFromHome(j), shift))
                continue;
            if (!joined)
                Settle(pieces, count, key, shift, within);
            Absorb(GroupKeyOf(g_game.pieces[j]), key, shift, within);
            joined = true;
        }
    }
    if (joined)
        SetModified(true);
}

}  // namespace

void SetJoining(bool joining)
{
    g_groups.joining = joining ? 1 : 0;
    ClearGroups();
    if (joining)
        JoinLooseNeighbours();
}

void JoinLooseNeighbours()
{
    const GameHeader& header = g_game.header;
    const int looseEnd = LooseEnd();
    // The groups grow as a forest of cells whose roots become the keys, so that a board of
    // pieces all in place joins in one pass.
    IndexLooseCells();
    for (int i = header.fixedCount; i < looseEnd; ++i) {
        const int cell = CellOf(g_game.pieces[i]);
        s_forest[cell] = IsAlone(g_game.pieces[i]) ? cell : GroupKeyOf(g_game.pieces[i]);
    }
    for (int i = header.fixedCount; i < looseEnd; ++i) {
        const PieceRecord& piece = g_game.pieces[i];
        const PixelShift shift = ShiftFromHome(i);
        for (int side = 0; side < 4; ++side) {
            const int j = LooseNeighbour(piece, side);
            if (j >= 0 && SameShift(ShiftFromHome(j), shift))
                s_forest[RootCell(CellOf(g_game.pieces[j]))] = RootCell(CellOf(piece));
        }
    }
    // A root that no other piece leads stands alone.
    ++s_putDowns;
    for (int i = header.fixedCount; i < looseEnd; ++i) {
        const int cell = CellOf(g_game.pieces[i]), root = RootCell(cell);
        if (root != cell) {
            s_keyStamp[root] = s_putDowns;
            SetGroupKey(g_game.pieces[i], root);
        }
    }
    for (int i = header.fixedCount; i < looseEnd; ++i) {
        const int cell = CellOf(g_game.pieces[i]);
        if (s_keyStamp[cell] == s_putDowns && RootCell(cell) == cell)
            SetGroupKey(g_game.pieces[i], cell);
    }
    PlaceGroups(header.fixedCount, looseEnd);
}

void JoinPutDown(int from, int to)
{
    if (!g_groups.joining || from >= to)
        return;
    IndexLooseCells();
    const int groups = SortPutDownByGroup(from, to);
    for (int g = 0; g < groups; ++g) {
        const int* pieces = &s_putDown[s_groupStart[g]];
        const int count = s_groupStart[g + 1] - s_groupStart[g];
        // A group that an earlier one of this put-down joined, or was joined by, has its
        // place already; it only takes in what sits exactly beside it.
        const int key = GroupKeyOf(g_game.pieces[pieces[0]]);
        const bool untouched = s_keyStamp[key] == s_putDowns && s_groupOfKey[key] == g &&
            s_settledStamp[key] != s_putDowns;
        JoinGroup(pieces, count, untouched);
    }
}
