// Sizes of the board, the goal area and one piece at the current zoom. No windows.h:
// the model seats and hit-tests pieces with these values.
#pragma once

struct ViewGeometry {
    int scaledWidth, scaledHeight;  // the picture at this zoom: the goal area
    int boardWidth, boardHeight;    // 1.4 times the picture
    int goalLeft, goalTop;
    double cellWidth, cellHeight;
    double tabMarginX, tabMarginY;  // room around the cell for knobs and the outline
    double tileWidth, tileHeight;   // whole-numbered
    double rangeX, rangeY;          // free travel of a tile: the unit of a piece's position
    // Where the visible board begins in the board window, and how much of it shows.
    int offsetX, offsetY;
    int visibleWidth, visibleHeight;
    int bufferWidth, bufferHeight;  // client size when the board buffers were made
};

extern ViewGeometry g_geometry;

// Recomputes the sizes of the first block from the picture, the zoom and the split counts.
void ComputeViewGeometry(int pictureWidth, int pictureHeight, int zoomPercent, int columns,
                         int rows);

// Scales a scroll position so that the point at the view's centre stays at the centre
// when the content's extent (and perhaps the view's size) changes.
int KeepCentre(int scroll, int oldView, int newView, int newExtent, int oldExtent);

// The start picture's size: the board's extent while no game is loaded.
const int kStartPictureWidth = 497;
const int kStartPictureHeight = 291;
