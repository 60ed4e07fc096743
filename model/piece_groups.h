#ifndef QUILTRA_MODEL_PIECE_GROUPS_H
#define QUILTRA_MODEL_PIECE_GROUPS_H

#include <cstdint>

#include "model/game_state.h"

// Pieces joined on the board move and are seated as one group. Each piece's group is kept
// by its home cell (column * rows + row), which stays put however the table's records move;
// a group is named by the home cell of one of its pieces, its key.
//
// Every piece of a group lies on the board, loose or selected, and all of them are shifted
// from home by the same whole number of pixels at the current zoom: they are drawn where the
// seated pieces would be, moved as one, so joined pieces show no gap.
struct PieceGroups {
    int32_t joining;  // the player's option, 0 or 1; while it is off every piece stands alone
    // Per home cell: 0 while the piece stands alone, else its group's key + 1 (the piece
    // whose cell is the key included), so that a cleared block means no groups.
    int32_t groupOfCell[kMaxPieces];
};

extern PieceGroups g_groups;

int CellOf(const PieceRecord& piece);
// A piece that stands alone is its own group: its key is its cell.
int GroupKeyOf(const PieceRecord& piece);
void SetGroupKey(const PieceRecord& piece, int key);
void SetAlone(const PieceRecord& piece);
bool IsAlone(const PieceRecord& piece);

// Every piece stands alone again.
void ClearGroups();

// How the piece at `index` lies from its home, in whole board pixels at the current zoom.
struct PixelShift {
    int x, y;
};
PixelShift ShiftFromHome(int index);
bool SameShift(PixelShift a, PixelShift b);

// Where within its pixel a piece lies, to one of a few steps held off the pixel's edges:
// pieces placed at one step read back as the pixels they were placed at.
struct PixelWithin {
    double x, y;
};
PixelWithin WithinOf(int index);
// Puts the piece at `shift` from its home, at `within` in the pixel.
void PlaceAtShift(int index, PixelShift shift, PixelWithin within);
// Whether the pieces at these table indices would all lie on the board at `shift` from home.
bool FitsOnBoard(const int* indices, int count, PixelShift shift);

// Puts the group members of the table's range [from, to) where their group's first piece in
// the range says, the whole group held on the board. Pieces that stand alone keep their place.
void PlaceGroups(int from, int to);

// The table index of each group's first piece in the range [from, to), in table order;
// returns how many groups the range holds.
int FirstOfEachGroup(int from, int to, int* firsts);

// After a zoom change: home has moved by fractions of a pixel, so every group is laid out
// again from its first piece.
void ReseatGroups();

// Lifts the loose pieces of the groups named by `keys` to the top of the board, above the
// selection, in their own order, and returns how many there are; the caller counts them
// into the selection.
int LiftGroupsToTop(const int* keys, int keyCount);
// The same for the group that holds the loose piece at `index`.
int LiftGroupToTop(int index);
// Moves the loose pieces of the group named `key` down to the end of the fixed range, in
// their own order, and returns how many there are; the caller seats them and counts them in.
int LowerGroupToFixed(int key);

#endif
