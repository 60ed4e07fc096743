// Drawing off screen, into memory DCs with 32-bit DIB sections.
#pragma once
#include "board/piece_pixels.h"
#include <windows.h>

// A memory DC with its bitmap; pixels is set when the bitmap is one of ours, whose pixels
// the program also writes itself.
struct Surface {
    HDC dc;
    HBITMAP bitmap;
    PixelImage pixels;
};

// A memory DC compatible with the screen holding a 32-bit bitmap of that size; false (with
// whatever was made left for FreeSurface) when the system cannot make them.
bool MakeSurface(Surface* surface, int width, int height);
void FreeSurface(Surface* surface);
// Whether the surface holds pixels of ours, as MakeSurface makes them for this size.
bool SurfaceFits(const Surface& surface, int width, int height);
