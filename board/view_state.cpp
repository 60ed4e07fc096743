#include "board/view_state.h"
#include "board/zoomed_picture.h"
#include "win/image_library.h"
#include <string.h>

ViewState g_view;

void ResetView()
{
    ForgetZoomedPicture();
    memset(&g_view, 0, sizeof g_view);
    memset(&g_geometry, 0, sizeof g_geometry);
    g_view.blackPen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    g_view.whitePen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    g_geometry.boardWidth = kStartPictureWidth;
    g_geometry.boardHeight = kStartPictureHeight;
}

void FreeViewBitmaps(bool includePicture)
{
    FreeSurface(&g_view.boardBuffer);
    FreeSurface(&g_view.backgroundBuffer);
    if (includePicture)
        ForgetZoomedPicture();
}

void ReplacePicture(void* picture)
{
    // A second picture before any view was built: the zoomed picture may show either.
    if (g_view.replacedPicture) {
        ForgetZoomedPicture();
        ReleaseReplacedPicture();
    }
    g_view.replacedPicture = g_view.pictureDib;
    g_view.pictureDib = picture;
}

void ReleaseReplacedPicture()
{
    if (g_view.replacedPicture)
        ReleasePicture((PictureHandle)g_view.replacedPicture);
    g_view.replacedPicture = nullptr;
}

void ReleaseViewResources()
{
    FreeViewBitmaps(true);
    ReleaseReplacedPicture();
    if (g_view.pictureDib)
        ReleasePicture((PictureHandle)g_view.pictureDib);
    g_view.pictureDib = nullptr;
    if (g_view.blackPen)
        DeleteObject(g_view.blackPen);
    if (g_view.whitePen)
        DeleteObject(g_view.whitePen);
    g_view.blackPen = nullptr;
    g_view.whitePen = nullptr;
}
