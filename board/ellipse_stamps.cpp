#include "board/ellipse_stamps.h"
#include "board/view_state.h"
#include <windows.h>
#include <map>
#include <string.h>
#include <utility>

static std::map<std::pair<int, int>, EllipseStamp> s_stamps;
// The stamps of the sizes pieces use most, found without a search: every piece asks for
// up to eight.
static const int kQuick = 128;
static const EllipseStamp* s_quick[2 * kQuick][2 * kQuick];

// Room around the ellipse's rectangle, so that nothing the pen draws is cut off.
static const int kPad = 4;

// The ellipse's outline drawn white on black in a one-bit bitmap, read back row by row:
// the filled ellipse is all of each row between its outline's ends. The fill is not asked
// of the system: Wine leaves some rows of a thin ellipse's fill to whatever memory held,
// so that its pixels change with what was drawn before, while the outline is exact.
static bool Sample(EllipseStamp* stamp, int width, int height)
{
    const int w = (width < 0 ? -width : width) + 2 * kPad;
    const int h = (height < 0 ? -height : height) + 2 * kPad;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = w;
    info.header.biHeight = -h;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    info.colours[1] = RGBQUAD{255, 255, 255, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, (BITMAPINFO*)&info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bitmap) {
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
        return false;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldPen = SelectObject(dc, g_view.whitePen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    PatBlt(dc, 0, 0, w, h, BLACKNESS);
    // The rectangle keeps its orientation: the system is asked exactly what it will be
    // asked at the piece, moved by whole pixels.
    const int left = kPad + (width < 0 ? -width : 0), top = kPad + (height < 0 ? -height : 0);
    Ellipse(dc, left, top, left + width, top + height);
    GdiFlush();
    const int stride = (w + 31) / 32 * 4;
    for (int y = 0; y < h; ++y) {
        const BYTE* row = (const BYTE*)bits + (size_t)y * stride;
        int first = -1, last = -1;
        for (int x = 0; x < w; ++x)
            if ((row[x / 8] >> (7 - x % 8)) & 1) {
                first = first < 0 ? x : first;
                last = x;
            }
        if (first >= 0)
            stamp->spans.push_back(StampSpan{y - top, first - left, last + 1 - left});
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return true;
}

const EllipseStamp& SystemEllipse(int width, int height)
{
    const bool quick = width > -kQuick && width < kQuick && height > -kQuick && height < kQuick;
    if (quick && s_quick[width + kQuick][height + kQuick])
        return *s_quick[width + kQuick][height + kQuick];
    auto found = s_stamps.find(std::make_pair(width, height));
    if (found == s_stamps.end()) {
        EllipseStamp sampled;
        // Without the system's answer the ellipse is left out of this piece, as a failed
        // Ellipse would leave it, and the next piece of its size asks again.
        static const EllipseStamp kNothing;
        if (!Sample(&sampled, width, height))
            return kNothing;
        found = s_stamps.emplace(std::make_pair(width, height), std::move(sampled)).first;
    }
    if (quick)
        s_quick[width + kQuick][height + kQuick] = &found->second;
    return found->second;
}

void ForgetEllipseStamps()
{
    memset(s_quick, 0, sizeof s_quick);
    s_stamps.clear();
}
