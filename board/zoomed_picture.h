// The picture at the board's zoom, made only where it is drawn. Scaled pixels are kept in
// square tiles on a fixed grid of the zoomed picture, within a fixed memory budget (the
// least recently used tile gives way first), and all are forgotten when the zoom or the
// picture changes: a zoom step costs what the window shows, not what the picture holds.
// No windows.h: the cache is tested natively against the whole picture scaled at once.
#pragma once
#include "board/piece_pixels.h"
#include "files/picture_scale.h"
#include <stddef.h>

const int kZoomedTileSide = 128;
// 1024 tiles of 64 KB: more than a 1280 x 800 board shows at any zoom, even with every piece
// showing a different part of the picture.
const size_t kZoomedBudgetBytes = (size_t)64 << 20;

// The decoded picture (top-down rows of sourceWidth 0x00RRGGBB words, held by the caller
// for as long as the zoomed picture is used) to be shown width x height; forgets every tile.
void SetZoomedPicture(const uint32_t* source, int sourceWidth, int sourceHeight, int width,
                      int height);
// Forgets the tiles and the picture and gives their memory back.
void ForgetZoomedPicture();
bool HasZoomedPicture();

// Pixels of the zoomed picture: image holds them from (left, top) of the picture on, and
// nothing beyond its edges.
struct ZoomedView {
    const PixelImage* image;
    int left, top;
};
// The pixels of part, which lies within the zoomed picture: one tile when the part lies in
// it, otherwise the part itself put together from its tiles. Valid until the next call.
// The image has no pixels when memory for them cannot be had.
ZoomedView ZoomedPart(const PixelRect& part);
// Scales, two at a time, the missing tiles that these parts of the picture meet (as many as
// the budget holds), so that a paint about to draw them all need not scale them one by one.
void PrepareZoomedParts(const PixelRect* parts, size_t count);

// The part of the zoomed picture that a tile of this size at (left, top) of it covers,
// empty when none.
PixelRect ZoomedClip(int left, int top, int width, int height);
size_t ZoomedTilesHeld();
