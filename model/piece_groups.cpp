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
    double withinX, withinY;  // where in its pixel the first piece lies, held off the pixel's edges
    int homeLeftMin, homeLeftMax, homeTopMin, homeTopMax;
};

// A span is current when its stamp is the pass's; no pass has to clear them all.
int s_spanStamp[kMaxPieces];
int s_pass;
GroupSpan s_spans[kMaxPieces];
int s_indexOfCell[kMaxPieces];
int s_members[kMaxPieces];
PieceRecord s_lifted[kMaxPieces];

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

void PlaceAtShift(PieceRecord* piece, PixelShift shift, double withinX, double withinY)
{
    const ViewGeometry& view = g_geometry;
    piece->posX =
        ClampPosition(PixelsToPosition(HomeLeft(*piece) + shift.x + withinX, view.rangeX));
    piece->posY =
        ClampPosition(PixelsToPosition(HomeTop(*piece) + shift.y + withinY, view.rangeY));
}

double WithinPixel(double pixels)
{
    const int step = (int)((pixels - (int)pixels) * kWithinPixelSteps);
    return (std::max(kWithinPixelLeastStep, std::min(kWithinPixelMostStep, step)) + 0.5) /
        kWithinPixelSteps;
}

int TravelX()
{
    return (int)g_geometry.rangeX;
}

int TravelY()
{
    return (int)g_geometry.rangeY;
}

// Keeps every piece of the span on the board, so the group stops as a whole at an edge.
PixelShift HeldOnBoard(const GroupSpan& span, PixelShift shift)
{
    shift.x = std::max(-span.homeLeftMin, std::min(TravelX() - span.homeLeftMax, shift.x));
    shift.y = std::max(-span.homeTopMin, std::min(TravelY() - span.homeTopMax, shift.y));
    return shift;
}

bool FitsOnBoard(const int* members, int count, PixelShift shift)
{
    for (int k = 0; k < count; ++k) {
        const PieceRecord& piece = g_game.pieces[members[k]];
        const int left = HomeLeft(piece) + shift.x, top = HomeTop(piece) + shift.y;
        if (left < 0 || top < 0 || left > TravelX() || top > TravelY())
            return false;
    }
    return true;
}

void RelabelGroup(int from, int to, int oldKey, int newKey)
{
    for (int i = from; i < to; ++i)
        if (GroupKeyOf(g_game.pieces[i]) == oldKey)
            SetGroupKey(g_game.pieces[i], newKey);
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

// Only the loose pieces can be neighbours to join; every other cell says -1.
void IndexLooseCells()
{
    const GameHeader& header = g_game.header;
    const int cells = header.columns * header.rows;
    std::fill(s_indexOfCell, s_indexOfCell + std::min(cells, kMaxPieces), -1);
    for (int i = header.fixedCount; i < header.boardCount - header.selectedCount; ++i) {
        const int cell = CellOf(g_game.pieces[i]);
        if (cell >= 0 && cell < cells)
            s_indexOfCell[cell] = i;
    }
}

// In the forest of cells that SetJoining grows in s_members, with path halving.
int RootCell(int cell)
{
    while (s_members[cell] != cell) {
        s_members[cell] = s_members[s_members[cell]];
        cell = s_members[cell];
    }
    return cell;
}

bool SameShift(PixelShift a, PixelShift b)
{
    return a.x == b.x && a.y == b.y;
}

}  // namespace

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

void SetJoining(bool joining)
{
    g_groups.joining = joining ? 1 : 0;
    ClearGroups();
    if (!joining)
        return;
    const GameHeader& header = g_game.header;
    const int looseEnd = header.boardCount - header.selectedCount;
    // Each loose piece in turn counts as put down where it lies: it joins every neighbour
    // that sits exactly beside it, and only those. The groups grow as a forest of cells
    // whose roots become the keys, so that a board of pieces all in place joins in one pass.
    IndexLooseCells();
    for (int i = header.fixedCount; i < looseEnd; ++i)
        s_members[CellOf(g_game.pieces[i])] = CellOf(g_game.pieces[i]);
    for (int i = header.fixedCount; i < looseEnd; ++i) {
        const PieceRecord& piece = g_game.pieces[i];
        const PixelShift shift = ShiftFromHome(i);
        for (int side = 0; side < 4; ++side) {
            const int j = LooseNeighbour(piece, side);
            if (j < 0 || !SameShift(ShiftFromHome(j), shift))
                continue;
            const int root = RootCell(CellOf(piece)), other = RootCell(CellOf(g_game.pieces[j]));
            s_members[other] = root;
        }
    }
    // A root that no other piece leads stands alone.
    ++s_pass;
    for (int i = header.fixedCount; i < looseEnd; ++i) {
        const int cell = CellOf(g_game.pieces[i]), root = RootCell(cell);
        if (root != cell) {
            s_spanStamp[root] = s_pass;
            SetGroupKey(g_game.pieces[i], root);
        }
    }
    for (int i = header.fixedCount; i < looseEnd; ++i) {
        const int cell = CellOf(g_game.pieces[i]);
        if (s_spanStamp[cell] == s_pass && RootCell(cell) == cell)
            SetGroupKey(g_game.pieces[i], cell);
    }
    PlaceGroups(header.fixedCount, looseEnd);
}

PixelShift ShiftFromHome(int index)
{
    const ViewGeometry& view = g_geometry;
    const PieceRecord& piece = g_game.pieces[index];
    return PixelShift{(int)(piece.posX * view.rangeX) - HomeLeft(piece),
                      (int)(piece.posY * view.rangeY) - HomeTop(piece)};
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
            span = GroupSpan{0,
                             i,
                             ShiftFromHome(i),
                             WithinPixel(piece.posX * g_geometry.rangeX),
                             WithinPixel(piece.posY * g_geometry.rangeY),
                             left,
                             left,
                             top,
                             top};
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
            PlaceAtShift(&piece, shift, span.withinX, span.withinY);
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
    PlaceGroups(g_game.header.fixedCount, g_game.header.boardCount);
}

int JoinPutDownGroup(int key)
{
    const GameHeader& header = g_game.header;
    if (!g_groups.joining)
        return key;
    const int looseEnd = header.boardCount - header.selectedCount;
    int count = 0;
    for (int i = header.fixedCount; i < looseEnd; ++i)
        if (GroupKeyOf(g_game.pieces[i]) == key)
            s_members[count++] = i;
    if (count == 0)
        return key;
    IndexLooseCells();
    const PixelShift shift = ShiftFromHome(s_members[0]);
    int bestKey = key, bestDistance = 0, bestNeighbour = -1;
    PixelShift best = shift;
    for (int k = 0; k < count; ++k) {
        for (int side = 0; side < 4; ++side) {
            const int j = LooseNeighbour(g_game.pieces[s_members[k]], side);
            if (j < 0 || GroupKeyOf(g_game.pieces[j]) == key)
                continue;
            const PixelShift there = ShiftFromHome(j);
            const int dx = there.x - shift.x, dy = there.y - shift.y;
            const int distance = std::abs(dx) + std::abs(dy);
            if (!IsWithinHomeTolerance(dx, dy) || (bestKey != key && distance >= bestDistance) ||
                !FitsOnBoard(s_members, count, there))
                continue;
            bestKey = GroupKeyOf(g_game.pieces[j]);
            bestNeighbour = j;
            bestDistance = distance;
            best = there;
        }
    }
    if (bestKey == key)
        return key;
    // A neighbour that stood alone leads the group from now on.
    SetGroupKey(g_game.pieces[bestNeighbour], bestKey);
    for (int k = 0; k < count; ++k) {
        PlaceAtShift(&g_game.pieces[s_members[k]], best, 0.5, 0.5);
        SetGroupKey(g_game.pieces[s_members[k]], bestKey);
    }
    // Now in place, the group also fits every other neighbour that sits exactly so.
    for (int k = 0; k < count; ++k) {
        for (int side = 0; side < 4; ++side) {
            const int j = LooseNeighbour(g_game.pieces[s_members[k]], side);
            if (j < 0 || !SameShift(ShiftFromHome(j), best))
                continue;
            const int other = GroupKeyOf(g_game.pieces[j]);
            if (other != bestKey)
                RelabelGroup(header.fixedCount, looseEnd, other, bestKey);
        }
    }
    // Pieces that stood alone lay anywhere within their pixels; in a group each lies where
    // its first piece lies in its own, as a saved game is laid out again when it is opened.
    PlaceGroups(header.fixedCount, looseEnd);
    return bestKey;
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
            s_lifted[lifted++] = g_game.pieces[i];
        else
            g_game.pieces[kept++] = g_game.pieces[i];
    }
    std::memcpy(&g_game.pieces[kept], s_lifted, lifted * sizeof(PieceRecord));
    return lifted;
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
