#include "board/piece_images.h"
#include "board/view_state.h"
#include "model/game_state.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>

static const COLORREF kMarker = RGB(10, 200, 30);
static const COLORREF kPicture = RGB(200, 100, 50);

// A 400 x 300 picture at 100 % in 10 x 10: cells of 40 x 30, margins 10.8 and 8.6, tiles of
// 61 x 47. Piece 0 is the cell (2, 3) with every side flat unless a test gives it a tab.
class PieceDrawing : public testing::Test {
protected:
    void SetUp() override
    {
        LoadSettings(GetModuleHandleA(nullptr));
        CreateSolidBrushes();
        g_shell.mainDC = GetDC(nullptr);
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
        ReleaseViewResources();
        ReleaseDC(nullptr, g_shell.mainDC);
        DeleteSolidBrushes();
        DestroyMenu(g_shell.boardMenu);
        DestroyMenu(g_shell.boxMenu);
    }

    // Plain colour, or a pattern in which every pixel tells where it came from.
    void MakePicture(bool pattern = false)
    {
        FreeSurface(&g_view.pictureSurface);
        MakeSurface(&g_view.pictureSurface, g_shell.mainDC, 400, 300);
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                if (pattern || (x == 0 && y == 0))
                    SetPixel(g_view.pictureSurface.dc, x, y,
                             pattern ? RGB(x % 251, y % 241, 7) : kPicture);
        if (!pattern) {
            HBRUSH brush = CreateSolidBrush(kPicture);
            RECT all = {0, 0, 400, 300};
            FillRect(g_view.pictureSurface.dc, &all, brush);
            DeleteObject(brush);
        }
    }

    void MakeTarget()
    {
        MakeSurface(&target, g_shell.mainDC, kSize, kSize);
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
    g_shell.OptGrayBorder = 0;
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
    g_shell.OptGoalBorder = 0;
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
