// A piece drawn straight into 32-bit pixels. No windows.h: the shapes come from the
// system's own ellipses (a StampSource), and every pixel comes out as the system's blits
// and flood fill would leave it, at a few memory operations a pixel instead of some
// sixteen system calls a piece.
#pragma once
#include <cstdint>
#include <vector>

struct PieceRecord;
struct ViewGeometry;

// Rows from the top, one 0x00RRGGBB word a pixel.
struct PixelImage {
    uint32_t* pixels;
    int width, height;
};

const uint32_t kPixelWhite = 0xFFFFFF;

// Square cells of which only the marked ones may be drawn; cells == nullptr draws anywhere.
struct CellClip {
    const unsigned char* cells;
    int columns, rows, cellSize;
};
const CellClip kDrawAnywhere = {nullptr, 0, 0, 1};

// What the system's Ellipse(left, top, left + width, top + height) covers, pen and fill,
// as runs of pixels relative to (left, top). The same call anywhere else covers the same
// pixels moved by whole pixels, so one stamp serves every ellipse of its size.
struct StampSpan {
    int dy, left, right;  // right is exclusive
};
struct EllipseStamp {
    std::vector<StampSpan> spans;
};
typedef const EllipseStamp& (*StampSource)(int width, int height);

// A tile's pixels, each a set of these bits.
enum TileMaskBit : unsigned char {
    kMaskPiece = 1,      // inside the piece: shows the picture
    kMaskFootprint = 2,  // inside the piece or its outline band
    kMaskFilled = 4,     // footprint that the outline's fill from the centre reached
};
struct TileMask {
    int width, height;
    std::vector<unsigned char> bits;
};

// The piece's masks: the blank tile (the bare cell and its band) with each tab's ellipses
// added or cut out in turn; the fill of the footprint from the tile's centre too when the
// outline is grey.
void BuildTileMask(TileMask* mask, const TileMask& blank, const PieceRecord& piece,
                   const ViewGeometry& g, StampSource stamps, bool greyOutline);

// How the masked tile is laid on the target at (x, y): the footprint blackened, with
// greyOutline the band laid on it as ~grey (the fill's reach) or white (beyond it), then
// the picture from (sx, sy) added inside the piece. Where the tile leaves the picture, a
// piece pixel turns white, as a blit from beyond a bitmap leaves its target alone.
struct TileLook {
    bool greyOutline;
    uint32_t grey;
};
void LayTile(const PixelImage& target, int x, int y, const TileMask& mask,
             const PixelImage& picture, int sx, int sy, const TileLook& look, const CellClip& clip);

// A width x height part of the picture from (sx, sy), copied to (x, y) where both exist.
void CopyPicturePart(const PixelImage& target, int x, int y, int width, int height,
                     const PixelImage& picture, int sx, int sy, const CellClip& clip);

// Sets every pixel of the rectangle that lies in the target and the clip.
void FillPixels(const PixelImage& target, int left, int top, int right, int bottom, uint32_t colour,
                const CellClip& clip);
