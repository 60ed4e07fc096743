// Painting the board window from its off-screen buffers.
#pragma once
#include <windows.h>

void PaintBoard();
bool EnsureBoardBuffers();
// RenderBoard(false) is the full render of the board buffer from scratch: every incremental
// paint must leave the buffer exactly as it would. RenderBoard(true) makes the buffer show the
// board without the selection, as a drag's backdrop: it draws anew the stale area and the
// tiles around each selected piece, and clears the stale area.
void RenderBoard(bool forDrag);
// Draws the stale parts of the board buffer anew (board_changes.h says what is stale).
void RenderStaleArea();
// Sets the board's place in the window (offsetX, visibleWidth...) from its client size.
void ComputeVisibleArea();

// What is drawn straight onto the window after the buffer, in window pixels.
struct Overlays {
    bool frameShown;
    RECT frame;  // the selection frame: its bars lie on these edges
    bool bandShown;
    RECT band;
};
Overlays CurrentOverlays();
void PaintOverlays();
