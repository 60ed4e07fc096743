// Painting the board window from its off-screen buffers.
#pragma once

void PaintBoard();
bool EnsureBoardBuffers();
// Draws the board into the board buffer or, for a drag, prepares the background buffer.
void RenderBoard(bool forDrag);
void PaintOverlays();
// A new band starts: its first paint renders the board afresh, whatever the buffer holds.
void ForgetBandBackdrop();
