// libFuzzer target for the view's own arithmetic, over every picture the program takes
// (up to 32767 a side and 128 megapixels), every split count the dialog offers and every
// zoom step: the sizes, keeping the centre on a zoom change and the scroll steps must not
// overflow or divide by zero, and must give what the bitmaps and the scroll bars can use.
// And the picture scaler on any source and target sizes: no read or write outside its
// buffers, and every pixel a blend of source pixels.
#include "board/scroll_steps.h"
#include "board/view_geometry.h"
#include "files/picture_limits.h"
#include "files/picture_scale.h"
#include "shell/zoom_steps.h"
#include <algorithm>
#include <fuzzer/FuzzedDataProvider.h>
#include <math.h>
#include <vector>

const int kLeastSplit = 2, kMostSplit = 100;
// A board window larger than the largest screens still fits.
const int kMostClientSide = 32767;
// Scaler sizes: any shape, but few enough pixels to fuzz quickly. Every target row blends
// whole source rows, so the target's height times the source's width is bounded too.
const int kMostScaledPixels = 1 << 14;
const int kMostBlendedPixels = 1 << 16;

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (0)

static bool IsWhole(double value)
{
    return isfinite(value) && value == floor(value);
}

// The sizes that the bitmaps are made with: a tile and the zoomed picture must be at
// least a pixel, or the draw that fills them is refused. A zoomed picture that the draw
// takes is scaled into one allocation, whose byte count must fit 32 bits.
static void CheckSizes(const ViewGeometry& g)
{
    CHECK(g.scaledWidth >= 1 && g.scaledHeight >= 1);
    if (WithinPixelLimit(g.scaledWidth, g.scaledHeight))
        CHECK((uint64_t)g.scaledWidth * g.scaledHeight * 4 <= UINT32_MAX);
    CHECK(g.goalLeft >= 0 && g.goalTop >= 0);
    CHECK(g.goalLeft + g.scaledWidth <= g.boardWidth &&
          g.goalTop + g.scaledHeight <= g.boardHeight);
    CHECK(g.cellWidth > 0 && g.cellHeight > 0);
    CHECK(IsWhole(g.tileWidth) && IsWhole(g.tileHeight) && g.tileWidth >= 1 && g.tileHeight >= 1);
    CHECK(g.tileWidth <= INT32_MAX && g.tileHeight <= INT32_MAX);
    CHECK(isfinite(g.rangeX) && isfinite(g.rangeY));
}

// A scroll position kept from one zoom to the next: the board point at the view's centre
// stays there within a pixel, as far as the clamp allows, and the position stays in range.
static void CheckKeepCentre(int scroll, int view, int oldExtent, int newExtent)
{
    const int next = KeepCentre(scroll, view, view, newExtent, oldExtent);
    const int clamped = ClampScroll(next, newExtent - view);
    CHECK(clamped >= 0 && clamped <= std::max(0, newExtent - view));
    if (oldExtent == 0)
        return;
    const double before = (double)(scroll + view / 2) * newExtent / oldExtent;
    CHECK(fabs(next + view / 2 - before) < 1.0);
}

static void CheckScrollStep(int position, int highest, uintptr_t wParam, int thumb)
{
    int moved = ClampScroll(position, highest);
    if (ApplyScrollCode(wParam, thumb, 96, &moved))
        moved = ClampScroll(moved, highest);
    CHECK(moved >= 0 && moved <= std::max(0, highest));
}

static void FuzzView(FuzzedDataProvider& in)
{
    const int width = in.ConsumeIntegralInRange<int>(1, kMaxPictureSide);
    const int most = (int)std::min<uint64_t>(kMaxPictureSide, kMaxPicturePixels / width);
    const int height = in.ConsumeIntegralInRange<int>(1, most);
    const int columns = in.ConsumeIntegralInRange<int>(kLeastSplit, kMostSplit);
    const int rows = in.ConsumeIntegralInRange<int>(kLeastSplit, kMostSplit);
    const int clientWidth = in.ConsumeIntegralInRange<int>(0, kMostClientSide);
    const int clientHeight = in.ConsumeIntegralInRange<int>(0, kMostClientSide);
    const int from = in.ConsumeIntegralInRange<int>(0, kZoomStepCount - 1);
    const double scrollPart = in.ConsumeProbability<double>();
    const uintptr_t wParam = in.ConsumeIntegral<uint32_t>();
    // A bar's thumb anywhere in 31 bits, from the same bytes, so that the inputs kept
    // replay alike; half the time it agrees with the message's 16 bits.
    const int thumb =
        wParam & 1 ? (int)(wParam >> 1) : (int)((wParam >> 1 & ~0xFFFFu) | wParam >> 16);

    ComputeViewGeometry(width, height, ZoomSteps[from].percent, columns, rows);
    const ViewGeometry old = g_geometry;
    CheckSizes(old);
    const int scrollX = (int)(scrollPart * std::max(0, old.boardWidth - clientWidth));
    const int scrollY = (int)(scrollPart * std::max(0, old.boardHeight - clientHeight));
    CheckScrollStep(scrollX, old.boardWidth - clientWidth, wParam, thumb);
    CheckScrollStep(scrollY, old.boardHeight - clientHeight, wParam, thumb);
    // The View menu goes to any step from any other.
    for (int to = 0; to < kZoomStepCount; ++to) {
        ComputeViewGeometry(width, height, ZoomSteps[to].percent, columns, rows);
        CheckSizes(g_geometry);
        CheckKeepCentre(scrollX, clientWidth, old.boardWidth, g_geometry.boardWidth);
        CheckKeepCentre(scrollY, clientHeight, old.boardHeight, g_geometry.boardHeight);
    }
}

// The range of each colour among the source pixels. The checking loops go without
// coverage counters: they only slow the fuzzer, which steers by the scaler's edges.
__attribute__((no_sanitize("coverage"))) static void
ColourRange(const std::vector<unsigned char>& source, int stride, int width, int height,
            unsigned char lowest[3], unsigned char highest[3])
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                const unsigned char value = source[((size_t)y * stride + x) * 4 + c];
                lowest[c] = std::min(lowest[c], value);
                highest[c] = std::max(highest[c], value);
            }
}

// Opaque, and every colour a blend of source colours: within their range.
__attribute__((no_sanitize("coverage"))) static bool
IsBlendOf(const std::vector<unsigned char>& target, const unsigned char lowest[3],
          const unsigned char highest[3])
{
    for (size_t i = 0; i < target.size(); i += 4) {
        if (target[i + 3] != 255)
            return false;
        for (int c = 0; c < 3; ++c)
            if (target[i + c] < lowest[c] || target[i + c] > highest[c])
                return false;
    }
    return true;
}

static void FuzzScaler(FuzzedDataProvider& in)
{
    const int sourceWidth = in.ConsumeIntegralInRange<int>(1, kMaxPictureSide);
    const int sourceHeight =
        in.ConsumeIntegralInRange<int>(1, std::max(1, kMostScaledPixels / sourceWidth));
    const int sourceStride = sourceWidth + in.ConsumeIntegralInRange<int>(0, 16);
    const int width = in.ConsumeIntegralInRange<int>(1, kMaxPictureSide);
    const int height = in.ConsumeIntegralInRange<int>(
        1, std::max(1, std::min(kMostScaledPixels / width, kMostBlendedPixels / sourceWidth)));
    const bool uniform = in.ConsumeBool();
    const std::vector<unsigned char> pixels = in.ConsumeRemainingBytes<unsigned char>();

    // Exactly as large as the scaler may touch: the last row ends at its last pixel.
    std::vector<unsigned char> source(((size_t)sourceStride * (sourceHeight - 1) + sourceWidth) *
                                      4);
    for (size_t i = 0; i < source.size() && !pixels.empty(); ++i)
        source[i] = pixels[(uniform ? i % 4 : i) % pixels.size()];
    unsigned char lowest[3] = {255, 255, 255}, highest[3] = {0, 0, 0};
    ColourRange(source, sourceStride, sourceWidth, sourceHeight, lowest, highest);
    std::vector<unsigned char> target((size_t)width * height * 4);
    CHECK(ScalePixels(source.data(), sourceStride, sourceWidth, sourceHeight, width, height,
                      PixelRect{0, 0, width, height}, target.data(), width));
    CHECK(IsBlendOf(target, lowest, highest));
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool())
        FuzzScaler(in);
    else
        FuzzView(in);
    return 0;
}
