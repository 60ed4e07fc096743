#ifndef QUILTRA_MODEL_PIECE_MOVES_H
#define QUILTRA_MODEL_PIECE_MOVES_H

// The player's selection: the top entries of the board range, first-selected
// at the bottom as the fan's base. Points are board pixels; positions are
// fractions of the free travel, so they survive zoom changes.

// Takes the boxed piece at `index` out onto the top of the board and into the
// selection: alone at the centre of the visible board, else at the fan's end.
void TakeFromBox(int index);

// The selected pieces become the first pieces of the box, in their order.
void ReturnSelectionToBox();

// Lays the selection out as a fan up and to the left of its base.
void ArrangeFan();

// True when the point is on the selection's fan or on a loose piece's cell;
// such a piece goes on top and joins the selection (`additive`) or replaces it.
bool PickAt(int x, int y, bool additive);

// Every loose piece whose tile centre lies in the rectangle joins the
// selection, lowest in the table first.
void SelectInRect(int left, int top, int right, int bottom);

void SetPiecePosition(int index, double posX, double posY);

// Moves the selection's base by a pointer movement in board pixels and lays the fan
// out again from it.
void MoveSelection(int dx, int dy);

// Ends the selection at the point: one piece (or one group, after its first piece) is put
// down centred there and tested against its home; more spread from the base to the point.
// With joining on, whatever is put down joins the neighbours it fits.
void DropSelection(int x, int y);

// Puts a selection of one piece or one group down where it lies, as a drag of it ends: it is
// tested against its home and, where it is not seated, joins what it fits and is tested
// again. Any other selection stays as it is, a fan.
void PutDownSelection();

// The player's option: off breaks every group, on joins the loose pieces already lying
// together.
void SwitchJoining(bool joining);

#endif
