#ifndef QUILTRA_MODEL_HOME_TEST_H
#define QUILTRA_MODEL_HOME_TEST_H

// Puts the piece's cell exactly on its place in the finished picture for the
// current view geometry. Not clamped: home always lies on the board.
void SeatAtHome(int index);

// Fixes the loose piece at `index` when its cell lies within a tenth of a cell
// plus 4 pixels of home; fixing the last piece completes the puzzle.
void TryFixPiece(int index);

// Home in position units shifts slightly with the zoom (the margins hold a
// constant 2 pixels and the tile size is truncated), so after every zoom
// change the fixed pieces are seated again.
void ReseatFixedPieces();

// Fixes the loose group that holds the piece at `index` as a whole when it lies near home;
// a piece that stands alone is tested as by TryFixPiece.
void TryFixGroup(int index);

// Takes about one boxed piece in five out and fixes every piece out of the box.
void RunWizard();

#endif
