#include "model/piece_groups.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "board/view_geometry.h"
#include "model/home_tolerance.h"
#include "model/move_record.h"
#include "model/position_units.h"

PieceGroups g_groups;

namespace {

// What one pass over a range of the table learns of each group it meets, by key.
struct GroupSpan {
    int count;
    int first;         // the table index of the group's first piece
    PixelShift shift;  // the first piece's
    PixelWithin within;  // the first piece's
    int homeLeftMin, homeLeftMax, homeTopMin, homeTopMax;
};

// A span is current when its stamp is the pass's; no pass has to clear them all.
int s_spanStamp[kMaxPieces];
int s_pass;
GroupSpan s_spans[kMaxPieces];
// The records a lift or a lowering takes out of the table, in their order.
PieceRecord s_moving[kMaxPieces];

// Where the piece's tile lies when it is seated: the same sum SeatAtHome makes, in whole
// pixels.
int HomeLeft(const PieceRecord& piece)
{
    const ViewGeometry& view = g_geometry;
    return (int)std::floor(piece.column * view.cellWidth + (view.goalLeft - view.tabMarginX));
}

int HomeTop(const PieceRecord& piece)
{
    const ViewGeometry& view = g_geometry;
    return (int)std::floor(piece.row * view.cellHeight + (view.goalTop - view.tabMarginY));
}

// Where a group's pieces lie within their pixels: one of 64 steps, taken at the step's
// middle, so that reading a placed piece back gives the same step whatever the rounding, and
// held off the pixel's edges, so that it reads back as the same pixel.
const int kWithinPixelSteps = 64;
const int kWithinPixelLeastStep = 16, kWithinPixelMostStep = 47;

double WithinPixel(double pixels)
{
    const int step = (int)((pixels - (int)pixels) * kWithinPixelSteps);
    return (std::max(kWithinPixelLeastStep, std::min(kWithinPixelMostStep, step)) + 0.5) /
        kWithinPixelSteps;
}

// Where the group's tiles reach from home, in board pixels: an axis without travel (one
// column or row, or a tiny picture) puts every position at 0 and holds nothing back.
int HeldShift(int shift, int homeMin, int homeMax, double range)
{
    const int travel = (int)range;
    if (travel <= 0)
        return shift;
    return std::max(-homeMin, std::min(travel - homeMax, shift));
}

bool FitsTravel(int at, double range)
{
    return range <= 0 || (at >= 0 && at <= (int)range);
}

// Keeps every piece of the span on the board, so the group stops as a whole at an edge.
// Below about 10 % a large group can span more than the travel; its pieces are then held
// one by one and drawn apart until a larger zoom lays the group out again.
PixelShift HeldOnBoard(const GroupSpan& span, PixelShift shift)
{
    const ViewGeometry& view = g_geometry;
    return PixelShift{HeldShift(shift.x, span.homeLeftMin, span.homeLeftMax, view.rangeX),
                      HeldShift(shift.y, span.homeTopMin, span.homeTopMax, view.rangeY)};
}

}  // namespace

bool SameShift(PixelShift a, PixelShift b)
{
    return a.x == b.x && a.y == b.y;
}

int CellOf(const PieceRecord& piece)
{
    return piece.column * g_game.header.rows + piece.row;
}

int GroupKeyOf(const PieceRecord& piece)
{
    const int cell = CellOf(piece);
    const int stored = g_groups.groupOfCell[cell];
    return stored == 0 ? cell : stored - 1;
}

void SetGroupKey(const PieceRecord& piece, int key)
{
    g_groups.groupOfCell[CellOf(piece)] = key + 1;
}

void SetAlone(const PieceRecord& piece)
{
    g_groups.groupOfCell[CellOf(piece)] = 0;
}

bool IsAlone(const PieceRecord& piece)
{
    return g_groups.groupOfCell[CellOf(piece)] == 0;
}

void ClearGroups()
{
    std::memset(g_groups.groupOfCell, 0, sizeof g_groups.groupOfCell);
}

PixelShift ShiftFromHome(int index)
{
    const ViewGeometry& view = g_geometry;
    const PieceRecord& piece = g_game.pieces[index];
    return PixelShift{(int)(piece.posX * view.rangeX) - HomeLeft(piece),
                      (int)(piece.posY * view.rangeY) - HomeTop(piece)};
}

PixelWithin WithinOf(int index)
{
    const ViewGeometry& view = g_geometry;
    const PieceRecord& piece = g_game.pieces[index];
    return PixelWithin{WithinPixel(piece.posX * view.rangeX), WithinPixel(piece.posY * view.rangeY)};
}

void PlaceAtShift(int index, PixelShift shift, PixelWithin within)
{
    const ViewGeometry& view = g_geometry;
    PieceRecord& piece = g_game.pieces[index];
    piece.posX = ClampPosition(PixelsToPosition(HomeLeft(piece) + shift.x + within.x, view.rangeX));
    piece.posY = ClampPosition(PixelsToPosition(HomeTop(piece) + shift.y + within.y, view.rangeY));
}

bool FitsOnBoard(const int* indices, int count, PixelShift shift)
{
    const ViewGeometry& view = g_geometry;
    for (int k = 0; k < count; ++k) {
        const PieceRecord& piece = g_game.pieces[indices[k]];
        if (!FitsTravel(HomeLeft(piece) + shift.x, view.rangeX) ||
            !FitsTravel(HomeTop(piece) + shift.y, view.rangeY))
            return false;
    }
    return true;
}

void PlaceGroups(int from, int to)
{
    ++s_pass;
    for (int i = from; i < to; ++i) {
        const PieceRecord& piece = g_game.pieces[i];
        const int key = GroupKeyOf(piece);
        GroupSpan& span = s_spans[key];
        const int left = HomeLeft(piece), top = HomeTop(piece);
        if (s_spanStamp[key] != s_pass) {
            s_spanStamp[key] = s_pass;
            span = GroupSpan{0, i, ShiftFromHome(i), WithinOf(i), left, left, top, top};
        }
        ++span.count;
        span.homeLeftMin = std::min(span.homeLeftMin, left);
        span.homeLeftMax = std::max(span.homeLeftMax, left);
        span.homeTopMin = std::min(span.homeTopMin, top);
        span.homeTopMax = std::max(span.homeTopMax, top);
    }
    // The first piece stays exactly where it lies unless the board's edge moves the group:
    // groups laid out again at every zoom do not creep.
    for (int i = from; i < to; ++i) {
        PieceRecord& piece = g_game.pieces[i];
        const GroupSpan& span = s_spans[GroupKeyOf(piece)];
        const PixelShift shift = HeldOnBoard(span, span.shift);
        if (span.count > 1 && (i != span.first || !SameShift(shift, span.shift)))
            PlaceAtShift(i, shift, span.within);
    }
}

int FirstOfEachGroup(int from, int to, int* firsts)
{
    ++s_pass;
    int count = 0;
    for (int i = from; i < to; ++i) {
        const int key = GroupKeyOf(g_game.pieces[i]);
        if (s_spanStamp[key] != s_pass) {
            s_spanStamp[key] = s_pass;
            firsts[count++] = i;
        }
    }
    return count;
}

void ReseatGroups()
{
    // Groups exist only while joining is on: a zoom step of the game without it needs no pass.
    if (g_groups.joining)
        PlaceGroups(g_game.header.fixedCount, g_game.header.boardCount);
}

int LiftGroupsToTop(const int* keys, int keyCount)
{
    GameHeader& header = g_game.header;
    ++s_pass;
    for (int k = 0; k < keyCount; ++k)
        s_spanStamp[keys[k]] = s_pass;
    const int looseEnd = header.boardCount - header.selectedCount;
    int lifted = 0, kept = header.fixedCount;
    for (int i = header.fixedCount; i < header.boardCount; ++i) {
        if (i < looseEnd && s_spanStamp[GroupKeyOf(g_game.pieces[i])] == s_pass)
            s_moving[lifted++] = g_game.pieces[i];
        else
            g_game.pieces[kept++] = g_game.pieces[i];
    }
    std::memcpy(&g_game.pieces[kept], s_moving, lifted * sizeof(PieceRecord));
    return lifted;
}

int LowerGroupToFixed(int key)
{
    GameHeader& header = g_game.header;
    const int looseEnd = header.boardCount - header.selectedCount;
    int lowered = 0;
    for (int i = header.fixedCount; i < looseEnd; ++i)
        if (GroupKeyOf(g_game.pieces[i]) == key)
            s_moving[lowered++] = g_game.pieces[i];
    int kept = looseEnd;
    for (int i = looseEnd - 1; i >= header.fixedCount; --i)
        if (GroupKeyOf(g_game.pieces[i]) != key)
            g_game.pieces[--kept] = g_game.pieces[i];
    std::memcpy(&g_game.pieces[header.fixedCount], s_moving, lowered * sizeof(PieceRecord));
    return lowered;
}

int LiftGroupToTop(int index)
{
    const PieceRecord& picked = g_game.pieces[index];
    // A piece alone moves by one record, not by a pass over the table.
    if (IsAlone(picked)) {
        MoveRecord(index, g_game.header.boardCount - 1);
        return 1;
    }
    const int key = GroupKeyOf(picked);
    return LiftGroupsToTop(&key, 1);
}
