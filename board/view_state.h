// The picture, the drawing surfaces and the drag bookkeeping of the board view.
#pragma once
#include "board/piece_pixels.h"
#include "board/view_geometry.h"
#include "model/game_state.h"
#include <windows.h>

// A memory DC with its bitmap; pixels is set when the bitmap is one of ours, whose pixels
// the program also writes itself.
struct Surface {
    HDC dc;
    HBITMAP bitmap;
    PixelImage pixels;
};

struct ViewState {
    BITMAPINFOHEADER pictureInfo;
    void* pictureDib;  // the decoded picture; the board shows it zoomed (board/zoomed_picture.h)
    Surface boardBuffer;
    Surface backgroundBuffer;
    HPEN blackPen;
    HPEN whitePen;
    HDC paintDC;
    double savedPosX[kMaxPieces];
    double savedPosY[kMaxPieces];
};

extern ViewState g_view;

void ResetView();
// A memory DC compatible with reference holding a 32-bit bitmap of that size; false (with
// whatever was made left for FreeSurface) when the system cannot make them.
bool MakeSurface(Surface* surface, HDC reference, int width, int height);
void FreeSurface(Surface* surface);
void FreeViewBitmaps(bool includePicture);
void ReleaseViewResources();
