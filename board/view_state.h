// The picture, the drawing surfaces and the drag bookkeeping of the board view.
#pragma once
#include "board/view_geometry.h"
#include "model/game_state.h"
#include "win/surface.h"
#include <windows.h>

struct ViewState {
    BITMAPINFOHEADER pictureInfo;
    void* pictureDib;  // the decoded picture; the board shows it zoomed (board/zoomed_picture.h)
    // The picture before it, which the old game's board still shows (while the new game's
    // settings are asked, say) until the new picture's view is built.
    void* replacedPicture;
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
void FreeViewBitmaps(bool includePicture);
// Takes a newly decoded picture as the view's picture; the old one is kept for the board
// until ReleaseReplacedPicture, once the zoomed picture no longer shows it.
void ReplacePicture(void* picture);
void ReleaseReplacedPicture();
void ReleaseViewResources();
