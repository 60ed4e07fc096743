// Painting the board window from its off-screen buffers.
#pragma once
#include <windows.h>

void PaintBoard();
bool EnsureBoardBuffers();
// Draws the board into the board buffer or, for a drag, prepares the background buffer.
// RenderBoard(false) is the full render from scratch: every incremental paint must leave
// the buffer exactly as it would.
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
