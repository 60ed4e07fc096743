#include "board/view_geometry.h"
#include <algorithm>

ViewGeometry g_geometry;

void ComputeViewGeometry(int pictureWidth, int pictureHeight, int zoomPercent, int columns,
                         int rows)
{
    ViewGeometry& g = g_geometry;
    const int W = pictureWidth, H = pictureHeight, Z = zoomPercent;
    // A picture under 100 pixels shrinks to nothing at 1 %: it stays a pixel large, on a
    // board that holds it, so that its bitmap can still be drawn.
    g.scaledWidth = std::max(1, Z * W / 100);
    g.scaledHeight = std::max(1, Z * H / 100);
    g.goalLeft = (int)(W * 0.2 * Z / 100.0);
    g.goalTop = (int)(H * 0.2 * Z / 100.0);
    g.boardWidth = std::max((int)(W * 1.4 * Z / 100.0), g.goalLeft + g.scaledWidth);
    g.boardHeight = std::max((int)(H * 1.4 * Z / 100.0), g.goalTop + g.scaledHeight);
    g.cellWidth = (double)g.scaledWidth / columns;
    g.cellHeight = (double)g.scaledHeight / rows;
    g.tabMarginX = g.cellWidth * 0.22 + 2.0;
    g.tabMarginY = g.cellHeight * 0.22 + 2.0;
    g.tileWidth = (int)(g.tabMarginX * 2.0 + g.cellWidth);
    g.tileHeight = (int)(g.tabMarginY * 2.0 + g.cellHeight);
    g.rangeX = g.boardWidth - g.tileWidth;
    g.rangeY = g.boardHeight - g.tileHeight;
}

// An empty old extent has no centre to keep; the position is then left to the clamp.
// 64 bits: the product outgrows 32 for a large picture at a large zoom.
int KeepCentre(int scroll, int oldView, int newView, int newExtent, int oldExtent)
{
    if (oldExtent == 0)
        return scroll;
    return (int)((long long)(scroll + oldView / 2) * newExtent / oldExtent) - newView / 2;
}
