// The scaled picture and the blank tile from which every piece is drawn.
#pragma once
#include "board/view_state.h"
#include <windows.h>
#include <vector>

bool BuildPieceImages();
// The tile of a piece with four flat sides, for the current zoom.
bool BuildBlankTile();
// Frees every view surface and says the zoom is too large; false. A window whose own
// buffer failed frees that first.
bool ReportImageTooLarge();
// Scales ahead, two at a time, the zoomed picture under these pieces, which a paint is about
// to draw.
void PreparePieces(const std::vector<int>& pieces);
// Draws piece i with its tile's top-left corner at (x, y) of the target, within the clip;
// leaves every pixel outside the piece's outline as it was. What the system drew on the
// target before must have reached it (GdiFlush).
void DrawPiece(const Surface& target, int index, int x, int y,
               const CellClip& clip = kDrawAnywhere);
