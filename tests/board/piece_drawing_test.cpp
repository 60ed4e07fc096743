#include "tests/support/test_seed.h"
#include "board/board_state.h"
#include "board/ellipse_stamps.h"
#include "board/piece_images.h"
#include "board/view_state.h"
#include "board/zoomed_picture.h"
#include "model/game_state.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <stdio.h>
#include <stdlib.h>
#include <vector>

static const COLORREF kMarker = RGB(10, 200, 30);
static const COLORREF kPicture = RGB(200, 100, 50);

// A 400 x 300 picture at 100 % in 10 x 10: cells of 40 x 30, margins 10.8 and 8.6, tiles of
// 61 x 47. Piece 0 is the cell (2, 3) with every side flat unless a test gives it a tab.
class PieceDrawing : public testing::Test {
protected:
    void SetUp() override
    {
        LoadSettings(GetModuleHandleW(nullptr));
        CreateSolidBrushes();
        ResetView();
        ResetGameState();
        g_game.header.pieceCount = 100;
        g_game.header.boardCount = 1;
        g_game.pieces[0].column = 2;
        g_game.pieces[0].row = 3;
        ComputeViewGeometry(400, 300, 100, 10, 10);
        MakePicture();
        ASSERT_TRUE(BuildBlankTile());
        MakeTarget();
    }
    void TearDown() override
    {
        FreeSurface(&target);
        FreeSurface(&zoomedPicture);
        ReleaseViewResources();
        DeleteSolidBrushes();
        DestroyMenu(g_shell.boardMenu);
        DestroyMenu(g_shell.boxMenu);
    }

    // Plain colour, or a pattern in which every pixel tells where it came from.
    void MakePicture(bool pattern = false)
    {
        FreeSurface(&zoomedPicture);
        MakeSurface(&zoomedPicture, 400, 300);
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                if (pattern || (x == 0 && y == 0))
                    SetPixel(zoomedPicture.dc, x, y, pattern ? RGB(x % 251, y % 241, 7) : kPicture);
        if (!pattern) {
            HBRUSH brush = CreateSolidBrush(kPicture);
            RECT all = {0, 0, 400, 300};
            FillRect(zoomedPicture.dc, &all, brush);
            DeleteObject(brush);
        }
        ShowAsZoomedPicture();
    }

    // The zoomed picture is the test's surface, shown as it is: scaled to its own size.
    void ShowAsZoomedPicture()
    {
        GdiFlush();
        const PixelImage& p = zoomedPicture.pixels;
        SetZoomedPicture(p.pixels, p.width, p.height, p.width, p.height);
    }

    void MakeTarget()
    {
        MakeSurface(&target, kSize, kSize);
        bits = target.pixels.pixels;
        ClearTarget();
    }

    void ClearTarget()
    {
        HBRUSH brush = CreateSolidBrush(kMarker);
        RECT all = {0, 0, kSize, kSize};
        FillRect(target.dc, &all, brush);
        DeleteObject(brush);
    }

    COLORREF At(int x, int y)
    {
        GdiFlush();
        DWORD p = bits[y * kSize + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    void SetTab(int side, int kind, double left, double right, double top, double bottom)
    {
        g_game.pieces[0].tabs[side] = TabRecord{kind, left, right, top, bottom};
    }

    static const int kSize = 200;
    static const int kX = 20, kY = 30;  // where the tile's corner lands in the target
    Surface target = {};
    Surface zoomedPicture = {};
    uint32_t* bits = nullptr;
};

// The piece is the cell shrunk by one pixel: x 11..48 and y 9..36 of the tile; the band
// is two pixels around it.
TEST_F(PieceDrawing, FlatPieceIsItsCellInATwoPixelGreyFrame)
{
    DrawPiece(target, 0, kX, kY);
    const COLORREF grey = RGB(128, 128, 128);
    EXPECT_EQ(kPicture, At(kX + 11, kY + 9));
    EXPECT_EQ(kPicture, At(kX + 48, kY + 36));
    EXPECT_EQ(kPicture, At(kX + 30, kY + 20));
    for (int x : {9, 10, 49, 50})
        EXPECT_EQ(grey, At(kX + x, kY + 20)) << x;
    for (int y : {7, 8, 37, 38})
        EXPECT_EQ(grey, At(kX + 30, kY + y)) << y;
    for (int x : {0, 8, 51, 60})
        EXPECT_EQ(kMarker, At(kX + x, kY + 20)) << x;
    for (int y : {0, 6, 39, 46})
        EXPECT_EQ(kMarker, At(kX + 30, kY + y)) << y;
    EXPECT_EQ(kMarker, At(kX - 1, kY - 1));
    EXPECT_EQ(kMarker, At(kX + 61, kY + 47));
}

TEST_F(PieceDrawing, WithoutTheGreyOptionTheFrameIsBlack)
{
    g_board.OptGrayBorder = 0;
    DrawPiece(target, 0, kX, kY);
    EXPECT_EQ(RGB(0, 0, 0), At(kX + 9, kY + 20));
    EXPECT_EQ(RGB(0, 0, 0), At(kX + 50, kY + 20));
    EXPECT_EQ(kPicture, At(kX + 30, kY + 20));
    EXPECT_EQ(kMarker, At(kX + 8, kY + 20));
}

// A knob on the bottom side: the ellipse from x 0.24..0.56 and y 0.9..1.22 of the cell.
TEST_F(PieceDrawing, KnobFillsItsEllipseAndSocketRemovesIt)
{
    SetTab(kSideBottom, kTabKnob, 0.24, 0.56, 0.9, 1.22);
    DrawPiece(target, 0, kX, kY);
    int cx = (int)(0.40 * 40 + 10.8), below = (int)(1.15 * 30 + 8.6);
    EXPECT_EQ(kPicture, At(kX + cx, kY + below));
    EXPECT_EQ(kMarker, At(kX + 2, kY + below)) << "outside the knob stays untouched";
    EXPECT_NE(kMarker, At(kX + cx, kY + (int)(1.22 * 30 + 8.6))) << "band under the knob";

    ClearTarget();
    SetTab(kSideBottom, kTabSocket, 0.24, 0.56, 0.78, 1.1);
    DrawPiece(target, 0, kX, kY);
    int inside = (int)(0.90 * 30 + 8.6);
    EXPECT_EQ(kMarker, At(kX + cx, kY + inside)) << "the socket is cut out of the piece";
    EXPECT_EQ(kPicture, At(kX + 14, kY + inside)) << "beside the socket the piece remains";
}

TEST_F(PieceDrawing, DrawingTwiceEqualsDrawingOnce)
{
    SetTab(kSideRight, kTabKnob, 0.9, 1.22, 0.3, 0.62);
    SetTab(kSideTop, kTabSocket, 0.4, 0.72, -0.1, 0.22);
    MakePicture(true);
    DrawPiece(target, 0, kX, kY);
    GdiFlush();
    std::vector<uint32_t> once(bits, bits + kSize * kSize);
    DrawPiece(target, 0, kX, kY);
    GdiFlush();
    EXPECT_TRUE(std::equal(once.begin(), once.end(), bits));
}

// With the completion frame off, a finished picture is plain tiles that join seamlessly.
TEST_F(PieceDrawing, FinishedPictureWithoutFrameIsSeamless)
{
    MakePicture(true);
    g_board.OptGoalBorder = 0;
    g_game.header.pieceCount = 2;
    g_game.header.fixedCount = 2;
    g_game.header.boardCount = 2;
    g_game.pieces[1] = g_game.pieces[0];
    g_game.pieces[1].column = 3;
    SetTab(kSideRight, kTabKnob, 0.9, 1.22, 0.3, 0.62);
    DrawPiece(target, 0, kX, kY);
    DrawPiece(target, 1, kX + 40, kY);
    // Tile (0, 0) of piece 0 shows picture (69, 81), the corner less the margins, truncated:
    // the target maps straight onto the picture across both tiles.
    for (int x = 0; x < 100; x += 3) {
        int px = 69 + x;
        EXPECT_EQ(RGB(px % 251, 91 % 241, 7), At(kX + x, kY + 10)) << x;
    }
}

// The program draws pieces into pixels itself; the system's own drawing of the same piece,
// with its masks, ellipses, border fill and five blits, must give exactly the same pixels.
// Random pieces at random zooms and places, with tabs anywhere a game file may put them,
// on a target of noise, whole or clipped to random cells.
// QUILTRA_SEED=n replays a run; the seed in use is printed.

const int kClipCell = 16;

// The system's recipe for piece index, blit by blit, onto target at (x, y), from the whole
// zoomed picture.
class SystemRecipe {
public:
    explicit SystemRecipe(HDC zoomedPicture)
        : picture(zoomedPicture)
    {
    }
    bool Make()
    {
        const ViewGeometry& g = g_geometry;
        w = (int)g.tileWidth;
        h = (int)g.tileHeight;
        for (Surface* s : {&pieceTemplate, &outlineTemplate, &pieceMask, &outlineMask})
            if (!MakeSurface(s, w, h))
                return false;
        // Tabs reach a cell beyond the tile's sides at most.
        const int size = 2 * 3 * (w + h);
        if (!MakeSurface(&outline, size, size))
            return false;
        PatBlt(outline.dc, 0, 0, size, size, BLACKNESS);
        SelectObject(outline.dc, g_view.whitePen);
        SelectObject(outline.dc, GetStockObject(NULL_BRUSH));
        RECT whole = {0, 0, w, h};
        FillRect(pieceTemplate.dc, &whole, g_brushes.black);
        FillRect(outlineTemplate.dc, &whole, g_brushes.white);
        RECT cell = {(int)(g.tabMarginX + 1), (int)(g.tabMarginY + 1),
                     (int)(g.cellWidth + g.tabMarginX - 1), (int)(g.cellHeight + g.tabMarginY - 1)};
        FillRect(pieceTemplate.dc, &cell, g_brushes.white);
        RECT band = {cell.left - 2, cell.top - 2, cell.right + 2, cell.bottom + 2};
        FillRect(outlineTemplate.dc, &band, g_brushes.black);
        return true;
    }
    ~SystemRecipe()
    {
        for (Surface* s : {&pieceTemplate, &outlineTemplate, &pieceMask, &outlineMask, &outline})
            FreeSurface(s);
    }

    void Draw(HDC target, int index, int x, int y)
    {
        const ViewGeometry& g = g_geometry;
        const PieceRecord& piece = g_game.pieces[index];
        const int sx = (int)(piece.column * g.cellWidth - g.tabMarginX);
        const int sy = (int)(piece.row * g.cellHeight - g.tabMarginY);
        if (!g_board.OptGoalBorder && g_game.header.fixedCount == g_game.header.pieceCount) {
            BitBlt(target, x, y, w, h, picture, sx, sy, SRCCOPY);
            return;
        }
        BitBlt(pieceMask.dc, 0, 0, w, h, pieceTemplate.dc, 0, 0, SRCCOPY);
        BitBlt(outlineMask.dc, 0, 0, w, h, outlineTemplate.dc, 0, 0, SRCCOPY);
        for (const TabRecord& tab : piece.tabs) {
            if (tab.kind == kTabFlat)
                continue;
            int L = (int)(tab.left * g.cellWidth + g.tabMarginX);
            int R = (int)(tab.right * g.cellWidth + g.tabMarginX);
            int T = (int)(tab.top * g.cellHeight + g.tabMarginY);
            int B = (int)(tab.bottom * g.cellHeight + g.tabMarginY);
            HDC white = tab.kind == kTabKnob ? pieceMask.dc : outlineMask.dc;
            HDC black = tab.kind == kTabKnob ? outlineMask.dc : pieceMask.dc;
            FilledEllipse(white, g_brushes.white, L + 1, T + 1, R - 1, B - 1);
            FilledEllipse(black, g_brushes.black, L - 1, T - 1, R + 1, B + 1);
        }
        BitBlt(target, x, y, w, h, outlineMask.dc, 0, 0, SRCAND);
        if (g_board.OptGrayBorder) {
            SelectObject(outlineMask.dc, g_brushes.grey);
            ExtFloodFill(outlineMask.dc, w / 2, h / 2, RGB(255, 255, 255), FLOODFILLBORDER);
            BitBlt(outlineMask.dc, 0, 0, w, h, pieceMask.dc, 0, 0, SRCPAINT);
            BitBlt(target, x, y, w, h, outlineMask.dc, 0, 0, MERGEPAINT);
        }
        BitBlt(pieceMask.dc, 0, 0, w, h, picture, sx, sy, SRCAND);
        BitBlt(target, x, y, w, h, pieceMask.dc, 0, 0, SRCPAINT);
    }

private:
    // The system's outline of the ellipse, on a bitmap that holds all of it, and each row
    // between the outline's ends filled with the brush on the mask. (The system's own fill
    // is not an oracle under Wine: see EllipsesAreTheirOutlinesFilled.)
    void FilledEllipse(HDC mask, HBRUSH brush, int left, int top, int right, int bottom)
    {
        const int away = outline.pixels.width / 2;
        // The outline lies within the rectangle, ordered.
        const int x0 = std::min(left, right) + away, x1 = std::max(left, right) + away;
        const int y0 = std::min(top, bottom) + away, y1 = std::max(top, bottom) + away;
        PatBlt(outline.dc, x0, y0, x1 - x0, y1 - y0, BLACKNESS);
        Ellipse(outline.dc, left + away, top + away, right + away, bottom + away);
        GdiFlush();
        HGDIOBJ old = SelectObject(mask, brush);
        for (int y = y0; y < y1; ++y) {
            const uint32_t* row = outline.pixels.pixels + (size_t)y * outline.pixels.width;
            int first = -1, last = -1;
            for (int x = x0; x < x1; ++x)
                if (row[x] & kPixelWhite) {
                    first = first < 0 ? x : first;
                    last = x;
                }
            if (first >= 0)
                PatBlt(mask, first - away, y - away, last + 1 - first, 1, PATCOPY);
        }
        SelectObject(mask, old);
    }

    int w = 0, h = 0;
    HDC picture;
    Surface pieceTemplate = {}, outlineTemplate = {}, pieceMask = {}, outlineMask = {};
    Surface outline = {};
};

class PiecePixels : public PieceDrawing {
protected:
    void SetUp() override
    {
        PieceDrawing::SetUp();
        ASSERT_TRUE(MakeSurface(&theirs, kSize, kSize));
    }
    void TearDown() override
    {
        FreeSurface(&theirs);
        PieceDrawing::TearDown();
    }

    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    double Within(double low, double high)
    {
        return std::uniform_real_distribution<double>(low, high)(random);
    }

    // A picture at the zoom whose every pixel tells where it came from.
    void MakeScaledPicture()
    {
        FreeSurface(&zoomedPicture);
        const ViewGeometry& g = g_geometry;
        ASSERT_TRUE(MakeSurface(&zoomedPicture, g.scaledWidth, g.scaledHeight));
        const PixelImage& p = zoomedPicture.pixels;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                p.pixels[(size_t)y * p.width + x] = (x % 251) << 16 | (y % 241) << 8 | 0x5A;
        ShowAsZoomedPicture();
    }

    // A tab as the cut makes them, or anywhere a game file may put one.
    TabRecord RandomTab(int side)
    {
        TabRecord tab = {Between(0, 2), 0, 0, 0, 0};
        if (Between(0, 3) == 0) {
            tab.left = Within(-1, 2);
            tab.right = Within(-1, 2);
            tab.top = Within(-1, 2);
            tab.bottom = Within(-1, 2);
            return tab;
        }
        const double start = Within(0.2, 0.5), along[2] = {start, start + 0.32};
        const bool knob = tab.kind == kTabKnob;
        const double across[4][2] = {{knob ? 0.9 : 0.78, knob ? 1.22 : 1.1},
                                     {knob ? -0.22 : -0.1, knob ? 0.1 : 0.22},
                                     {knob ? 0.9 : 0.78, knob ? 1.22 : 1.1},
                                     {knob ? -0.22 : -0.1, knob ? 0.1 : 0.22}};
        const bool vertical = side == kSideBottom || side == kSideTop;
        tab.left = vertical ? along[0] : across[side][0];
        tab.right = vertical ? along[1] : across[side][1];
        tab.top = vertical ? across[side][0] : along[0];
        tab.bottom = vertical ? across[side][1] : along[1];
        return tab;
    }

    void FillNoise(uint32_t* pixels)
    {
        for (int i = 0; i < kSize * kSize; ++i)
            pixels[i] = random() & 0xFFFFFF;
    }

    std::mt19937 random;
    Surface theirs = {};
};

TEST_F(PiecePixels, EveryPieceHasTheSystemsPixels)
{
    const unsigned seed = SeedFromEnvironment();
    printf("piece pixels: QUILTRA_SEED=%u\n", seed);
    fflush(stdout);
    random.seed(seed);
    const int zooms[] = {1, 3, 10, 20, 35, 50, 100, 170, 300};
    const int cellColumns = (kSize + kClipCell - 1) / kClipCell;
    std::vector<unsigned char> cells(cellColumns * cellColumns);
    for (int round = 0; round < 60 && !HasFailure(); ++round) {
        const int zoom = zooms[Between(0, 8)];
        const int columns = Between(2, 30), rows = Between(2, 30);
        ComputeViewGeometry(400, 300, zoom, columns, rows);
        MakeScaledPicture();
        ASSERT_TRUE(BuildBlankTile());
        SystemRecipe system(zoomedPicture.dc);
        ASSERT_TRUE(system.Make());
        for (int draw = 0; draw < 25 && !HasFailure(); ++draw) {
            PieceRecord& piece = g_game.pieces[0];
            piece.column = Between(0, columns - 1);
            piece.row = Between(0, rows - 1);
            for (int side = 0; side < 4; ++side)
                piece.tabs[side] = RandomTab(side);
            g_board.OptGrayBorder = Between(0, 3) != 0;
            g_board.OptGoalBorder = Between(0, 5) != 0;
            g_game.header.pieceCount = 1;
            g_game.header.fixedCount = Between(0, 1);
            const int x = Between(-(int)g_geometry.tileWidth, kSize);
            const int y = Between(-(int)g_geometry.tileHeight, kSize);
            const bool clipped = Between(0, 2) == 0;

            FillNoise(theirs.pixels.pixels);
            std::copy(theirs.pixels.pixels, theirs.pixels.pixels + kSize * kSize, bits);
            HRGN region = CreateRectRgn(0, 0, 0, 0);
            for (int row = 0; row < cellColumns; ++row)
                for (int column = 0; column < cellColumns; ++column) {
                    unsigned char& cell = cells[row * cellColumns + column];
                    cell = clipped ? Between(0, 1) : 1;
                    if (!cell)
                        continue;
                    HRGN one = CreateRectRgn(column * kClipCell, row * kClipCell,
                                             (column + 1) * kClipCell, (row + 1) * kClipCell);
                    CombineRgn(region, region, one, RGN_OR);
                    DeleteObject(one);
                }
            SelectClipRgn(theirs.dc, region);
            DeleteObject(region);
            system.Draw(theirs.dc, 0, x, y);
            SelectClipRgn(theirs.dc, nullptr);
            GdiFlush();
            const CellClip clip = {cells.data(), cellColumns, cellColumns, kClipCell};
            DrawPiece(target, 0, x, y, clipped ? clip : kDrawAnywhere);

            int differ = 0, firstX = -1, firstY = -1;
            uint32_t got = 0, wanted = 0;
            for (int i = 0; i < kSize * kSize; ++i) {
                const uint32_t a = bits[i] & kPixelWhite;
                const uint32_t b = theirs.pixels.pixels[i] & kPixelWhite;
                if (a != b && differ++ == 0) {
                    firstX = i % kSize;
                    firstY = i / kSize;
                    got = a;
                    wanted = b;
                }
            }
            std::ostringstream tabs;
            for (const TabRecord& tab : piece.tabs)
                tabs << " {" << tab.kind << ", " << tab.left << ", " << tab.right << ", " << tab.top
                     << ", " << tab.bottom << "}";
            EXPECT_EQ(0, differ) << "QUILTRA_SEED=" << seed << ", round " << round << ", draw "
                                 << draw << ": " << zoom << " %, " << columns << " x " << rows
                                 << ", cell (" << piece.column << ", " << piece.row << ") at (" << x
                                 << ", " << y << ")" << (clipped ? ", clipped" : "")
                                 << (g_board.OptGrayBorder ? ", grey" : ", black") << "; tabs"
                                 << tabs.str() << "; first at (" << firstX << ", " << firstY
                                 << "): " << std::hex << got << " instead of " << wanted;
        }
    }
}

// The stamps fill each row of an ellipse between the ends of its outline, as the system's
// own fill does. Wine leaves some rows of a thin ellipse's fill to whatever memory held
// (that fill then changes with what was drawn before), so the sizes compared are those
// whose length is at most three times their width.
TEST_F(PiecePixels, EllipsesAreTheirOutlinesFilled)
{
    const int size = 80, at = 5;
    Surface filled = {};
    ASSERT_TRUE(MakeSurface(&filled, size, size));
    SelectObject(filled.dc, g_view.whitePen);
    SelectObject(filled.dc, g_brushes.white);
    for (int width = -60; width <= 60; ++width)
        for (int height = -60; height <= 60; ++height) {
            const int w = abs(width), h = abs(height);
            if (w > 3 * h || h > 3 * w)
                continue;
            PatBlt(filled.dc, 0, 0, size, size, BLACKNESS);
            const int left = at + (width < 0 ? w : 0), top = at + (height < 0 ? h : 0);
            Ellipse(filled.dc, left, top, left + width, top + height);
            GdiFlush();
            std::vector<unsigned char> stamped(size * size);
            for (const StampSpan& span : SystemEllipse(width, height).spans)
                for (int x = left + span.left; x < left + span.right; ++x)
                    stamped[(top + span.dy) * size + x] = 1;
            int differ = 0;
            for (int i = 0; i < size * size; ++i)
                differ += stamped[i] != ((filled.pixels.pixels[i] & kPixelWhite) != 0);
            ASSERT_EQ(0, differ) << width << " x " << height;
        }
    FreeSurface(&filled);
}
