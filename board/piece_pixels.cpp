#include "board/piece_pixels.h"
#include "board/view_geometry.h"
#include "model/game_state.h"
#include <algorithm>
#include <utility>

// Calls run(left, right) for each part of the row's pixels left..right that the clip
// allows; the row and the pixels already lie in the target.
template <typename Run>
static void ForEachClippedRun(const CellClip& clip, int y, int left, int right, Run run)
{
    if (!clip.cells) {
        if (left < right)
            run(left, right);
        return;
    }
    const int row = y / clip.cellSize;
    if (row >= clip.rows)
        return;
    const unsigned char* cells = clip.cells + (size_t)row * clip.columns;
    for (int x = left; x < right;) {
        const int column = x / clip.cellSize;
        if (column >= clip.columns)
            return;
        int end = std::min(right, (column + 1) * clip.cellSize);
        if (cells[column]) {
            // Neighbouring allowed cells make one run.
            while (end < right && end / clip.cellSize < clip.columns && cells[end / clip.cellSize])
                end = std::min(right, end + clip.cellSize);
            run(x, end);
        }
        x = end;
    }
}

// The pixels of an ellipse call from (left, top) to (right, bottom) get the bit set or
// cleared, within the tile.
static void ApplyEllipse(TileMask* mask, int left, int top, int right, int bottom,
                         unsigned char bit, bool set, StampSource stamps)
{
    const EllipseStamp& stamp = stamps(right - left, bottom - top);
    for (const StampSpan& span : stamp.spans) {
        const int y = top + span.dy;
        if (y < 0 || y >= mask->height)
            continue;
        const int from = std::max(0, left + span.left);
        const int to = std::min(mask->width, left + span.right);
        unsigned char* row = &mask->bits[(size_t)y * mask->width];
        for (int x = from; x < to; ++x)
            row[x] = set ? row[x] | bit : row[x] & ~bit;
    }
}

// The system's border fill: every footprint pixel that a path of horizontal and vertical
// steps through the footprint joins to the centre.
static void FillFromCentre(TileMask* mask)
{
    const int w = mask->width, h = mask->height;
    unsigned char* bits = mask->bits.data();
    auto open = [&](int x, int y) {
        const unsigned char b = bits[(size_t)y * w + x];
        return (b & kMaskFootprint) && !(b & kMaskFilled);
    };
    static std::vector<std::pair<int, int>> stack;
    stack.clear();
    stack.emplace_back(w / 2, h / 2);
    while (!stack.empty()) {
        const int x = stack.back().first, y = stack.back().second;
        stack.pop_back();
        if (!open(x, y))
            continue;
        int left = x, right = x + 1;
        while (left > 0 && open(left - 1, y))
            --left;
        while (right < w && open(right, y))
            ++right;
        for (int i = left; i < right; ++i)
            bits[(size_t)y * w + i] |= kMaskFilled;
        for (int next : {y - 1, y + 1}) {
            if (next < 0 || next >= h)
                continue;
            for (int i = left; i < right; ++i)
                if (open(i, next) && (i == left || !open(i - 1, next)))
                    stack.emplace_back(i, next);
        }
    }
}

void BuildTileMask(TileMask* mask, const TileMask& blank, const PieceRecord& piece,
                   const ViewGeometry& g, StampSource stamps, bool greyOutline)
{
    mask->width = blank.width;
    mask->height = blank.height;
    mask->bits.assign(blank.bits.begin(), blank.bits.end());
    for (const TabRecord& tab : piece.tabs) {
        if (tab.kind == kTabFlat)
            continue;
        const int L = (int)(tab.left * g.cellWidth + g.tabMarginX);
        const int R = (int)(tab.right * g.cellWidth + g.tabMarginX);
        const int T = (int)(tab.top * g.cellHeight + g.tabMarginY);
        const int B = (int)(tab.bottom * g.cellHeight + g.tabMarginY);
        // A knob adds its ellipse to the piece and a larger one to the band around it; a
        // socket cuts them out.
        const bool knob = tab.kind == kTabKnob;
        ApplyEllipse(mask, L + 1, T + 1, R - 1, B - 1, knob ? kMaskPiece : kMaskFootprint, knob,
                     stamps);
        ApplyEllipse(mask, L - 1, T - 1, R + 1, B + 1, knob ? kMaskFootprint : kMaskPiece, knob,
                     stamps);
    }
    if (greyOutline && mask->width > 0 && mask->height > 0)
        FillFromCentre(mask);
}

void LayTile(const PixelImage& target, int x, int y, const TileMask& mask,
             const PixelImage& picture, int sx, int sy, const TileLook& look, const CellClip& clip)
{
    // For each set of mask bits: what of the target stays, and what is added to it.
    uint32_t keep[8], add[8];
    for (int m = 0; m < 8; ++m) {
        const bool footprint = m & kMaskFootprint;
        keep[m] = footprint ? 0 : kPixelWhite;
        uint32_t outline = footprint ? (m & kMaskFilled ? look.grey : 0) : kPixelWhite;
        if (m & kMaskPiece)
            outline = kPixelWhite;
        add[m] = look.greyOutline ? ~outline & kPixelWhite : 0;
    }
    const int top = std::max(0, y), bottom = std::min(target.height, y + mask.height);
    const int left = std::max(0, x), right = std::min(target.width, x + mask.width);
    for (int ty = top; ty < bottom; ++ty) {
        const unsigned char* bits = mask.bits.data() + (size_t)(ty - y) * mask.width;
        uint32_t* out = target.pixels + (size_t)ty * target.width;
        const int py = sy + ty - y;
        const uint32_t* in =
            py >= 0 && py < picture.height ? picture.pixels + (size_t)py * picture.width : nullptr;
        ForEachClippedRun(clip, ty, left, right, [&](int from, int to) {
            for (int tx = from; tx < to; ++tx) {
                const unsigned m = bits[tx - x];
                if (!m)
                    continue;
                uint32_t pixel = (out[tx] & keep[m]) | add[m];
                if (m & kMaskPiece) {
                    const int px = sx + tx - x;
                    pixel |=
                        in && px >= 0 && px < picture.width ? in[px] & kPixelWhite : kPixelWhite;
                }
                out[tx] = pixel;
            }
        });
    }
}

void CopyPicturePart(const PixelImage& target, int x, int y, int width, int height,
                     const PixelImage& picture, int sx, int sy, const CellClip& clip)
{
    const int top = std::max({0, y, y - sy}),
              bottom = std::min({target.height, y + height, y - sy + picture.height});
    const int left = std::max({0, x, x - sx}),
              right = std::min({target.width, x + width, x - sx + picture.width});
    for (int ty = top; ty < bottom; ++ty) {
        uint32_t* out = target.pixels + (size_t)ty * target.width;
        const uint32_t* in = picture.pixels + (size_t)(sy + ty - y) * picture.width;
        ForEachClippedRun(clip, ty, left, right, [&](int from, int to) {
            std::copy(in + sx + from - x, in + sx + to - x, out + from);
        });
    }
}

void FillPixels(const PixelImage& target, int left, int top, int right, int bottom, uint32_t colour,
                const CellClip& clip)
{
    left = std::max(0, left);
    top = std::max(0, top);
    right = std::min(target.width, right);
    bottom = std::min(target.height, bottom);
    for (int y = top; y < bottom; ++y) {
        uint32_t* out = target.pixels + (size_t)y * target.width;
        ForEachClippedRun(clip, y, left, right,
                          [&](int from, int to) { std::fill(out + from, out + to, colour); });
    }
}
