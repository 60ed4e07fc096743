// The parts of the board buffer that no longer show the board and must be drawn anew,
// kept as a grid of small cells: drawing a few pixels more than needed gives the same
// pixels, so a coarse record is enough.
#pragma once
#include "board/piece_pixels.h"
#include <windows.h>

// A new buffer of that size: all of it is stale.
void ResetStaleArea(int width, int height);
void MarkAllStale();
// A rectangle in buffer pixels; parts outside the buffer are ignored.
void MarkStale(const RECT& area);
// What the buffer holds moved by (-dx, -dy); the stale cells go with it.
void ShiftStaleArea(int dx, int dy);
bool IsAllStale();
bool IsAnyStale();
// Whether a rectangle of buffer pixels touches a stale cell.
bool MeetsStaleArea(const RECT& area);
// The stale cells as a clip for drawing pixels; valid until the grid changes.
CellClip StaleCells();
void ClearStaleArea();
