// What a change on the board touches. The board buffer is kept between paints, with a
// record of what it shows: each board piece's tile and their drawing order, and the scroll
// position it was drawn at; likewise the overlays drawn on the window. Comparing the game
// with these records finds what must be drawn anew, whoever made the change.
#pragma once
#include "board/board_paint.h"

// The whole buffer is to be drawn anew (a new buffer, another zoom, an option, the Wizard).
void ForgetBoardRecord();
// Invalidates what differs from the records: the old and new tiles of every piece that
// moved, came onto or left the board, or changed its place in the drawing order; the
// selection frame and the band where they were drawn and where they are now. A changed
// scroll position moves what the buffer holds and leaves only the uncovered strips to draw.
void InvalidateBoardChanges();
// Only the overlays: while a drag draws the dragged pieces itself.
void InvalidateOverlayChanges();
// The drag path drew piece index at its current place.
void NotePieceDrawn(int index);
// The overlays as the paint just drew them on the window.
void NoteOverlaysDrawn(const Overlays& overlays);
