// The scaled picture and the four tile surfaces from which every piece is drawn.
#pragma once
#include <windows.h>

bool BuildPieceImages();
bool BuildTileSurfaces();
// Frees every view surface and the box's buffer and says the zoom is too large; false.
bool ReportImageTooLarge();
// Draws piece i with its tile's top-left corner at (x, y) of the target; leaves every
// pixel outside the piece's outline as it was.
void DrawPiece(HDC target, int index, int x, int y);
