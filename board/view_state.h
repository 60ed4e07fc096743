// The picture, the drawing surfaces and the drag bookkeeping of the board view.
#pragma once
#include "board/view_geometry.h"
#include "model/game_state.h"
#include <windows.h>

struct Surface {
    HDC dc;
    HBITMAP bitmap;
};

struct ViewState {
    BITMAPINFOHEADER pictureInfo;
    void* pictureDib;
    Surface pictureSurface;
    Surface tiles[4];  // piece mask template, outline template, piece mask, outline mask
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
// A memory DC with a bitmap of that size, both compatible with reference; false (with
// whatever was made left for FreeSurface) when the system cannot make them.
bool MakeSurface(Surface* surface, HDC reference, int width, int height);
void FreeSurface(Surface* surface);
void FreeViewBitmaps(bool includePicture);
void ReleaseViewResources();
