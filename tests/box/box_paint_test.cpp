#include "tests/box/box_fixture.h"
#include "tests/support/bmp_file.h"
#include "tests/support/dib32.h"
#include "board/piece_images.h"
#include "board/zoomed_picture.h"
#include "win/image_library.h"
#include <stdio.h>
#include <string.h>
#include <vector>

static const COLORREF kMarker = RGB(10, 200, 30);
static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kBlack = RGB(0, 0, 0);
static const COLORREF kGrey = RGB(127, 127, 127);
static const COLORREF kPicture = RGB(200, 100, 50);

// Every cell of the picture has a colour of its own, so a pixel tells which piece it shows.
static COLORREF CellColour(int column, int row)
{
    return RGB(30 + column * 40, 30 + row * 40, 77);
}

static COLORREF PieceColour(int index)
{
    return CellColour(g_game.pieces[index].column, g_game.pieces[index].row);
}

// Paints the box into a 32-bit DIB that stands in for the window's paint DC.
class BoxPaint : public BoxTest {
protected:
    void SetUp() override
    {
        BoxTest::SetUp();
        ResetView();
        ComputeViewGeometry(400, 300, 100, 5, 5);
        MakeCellPicture();
        ASSERT_TRUE(BuildBlankTile());
        MakeTarget(300, 200);
        g_box.boxClientWidth = 300;
        g_box.boxClientHeight = 200;
        g_box.boxColumns = 2;
    }
    void TearDown() override
    {
        FreeBoxBuffer();
        FreeSurface(&cellPicture);
        DeleteDC(target);
        DeleteObject(targetBitmap);
        ReleaseViewResources();
        BoxTest::TearDown();
    }

    void MakeCellPicture()
    {
        Surface& picture = cellPicture;
        MakeSurface(&picture, 400, 300);
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 5; ++column) {
                HBRUSH brush = CreateSolidBrush(CellColour(column, row));
                RECT cell = {column * 80, row * 60, column * 80 + 80, row * 60 + 60};
                FillRect(picture.dc, &cell, brush);
                DeleteObject(brush);
            }
        // Shown at its own size: the board's zoom is 100 %.
        GdiFlush();
        SetZoomedPicture(picture.pixels.pixels, 400, 300, 400, 300);
    }

    void MakeTarget(int width, int height)
    {
        targetBitmap = CreateDib32(width, height, &bits);
        target = CreateCompatibleDC(nullptr);
        SelectObject(target, targetBitmap);
        targetWidth = width;
        HBRUSH brush = CreateSolidBrush(kMarker);
        RECT all = {0, 0, width, height};
        FillRect(target, &all, brush);
        DeleteObject(brush);
        g_box.boxPaintDC = target;
    }

    COLORREF Pixel(int x, int y) const
    {
        DWORD p = bits[y * targetWidth + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    HDC target = nullptr;
    HBITMAP targetBitmap = nullptr;
    DWORD* bits = nullptr;
    int targetWidth = 0;
    Surface cellPicture = {};
};

// The centre of a tile lies at (59, 45) inside it: the middle of the piece's cell.
TEST_F(BoxPaint, PiecesLieInTableOrderLeftToRightAndTopToBottom)
{
    PaintBox();
    EXPECT_EQ(PieceColour(0), Pixel(59, 45));
    EXPECT_EQ(PieceColour(1), Pixel(kTileWidth + 59, 45));
    EXPECT_EQ(PieceColour(2), Pixel(59, kTileHeight + 45));
    EXPECT_EQ(PieceColour(3), Pixel(kTileWidth + 59, kTileHeight + 45));
    for (int y = 0; y < 200; y += 7)
        EXPECT_EQ(kWhite, Pixel(2 * kTileWidth + 20, y)) << y;
}

TEST_F(BoxPaint, TheViewStartsAtTheScrollPosition)
{
    g_box.boxScrollY = kTileHeight + 10;
    PaintBox();
    EXPECT_EQ(PieceColour(2), Pixel(59, 35));
    EXPECT_EQ(PieceColour(5), Pixel(kTileWidth + 59, kTileHeight + 35));
}

TEST_F(BoxPaint, AnEmptyBoxIsWhite)
{
    g_game.header.boardCount = kPieces;
    PaintBox();
    for (int y = 0; y < 200; y += 5)
        for (int x = 0; x < 300; x += 5)
            ASSERT_EQ(kWhite, Pixel(x, y)) << x << ", " << y;
}

TEST_F(BoxPaint, WithoutPieceImagesNothingIsPainted)
{
    ForgetZoomedPicture();
    PaintBox();
    EXPECT_EQ(nullptr, g_box.buffer.dc);
    EXPECT_EQ(kMarker, Pixel(59, 45));
    EXPECT_EQ(kMarker, Pixel(299, 199));
}

TEST_F(BoxPaint, TheBufferStaysBetweenPaintsUntilItIsFreed)
{
    PaintBox();
    HDC buffer = g_box.buffer.dc;
    ASSERT_NE(nullptr, buffer);
    EXPECT_NE(nullptr, g_box.buffer.bitmap);
    PaintBox();
    EXPECT_EQ(buffer, g_box.buffer.dc);
    FreeBoxBuffer();
    EXPECT_EQ(nullptr, g_box.buffer.dc);
    EXPECT_EQ(nullptr, g_box.buffer.bitmap);
    FreeBoxBuffer();
}

TEST_F(BoxPaint, AWidePictureFillsTheWidthOfASquareBoxCentredOnGreyInABlackFrame)
{
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    wcscat(path, L"box_wide.bmp");
    ASSERT_TRUE(WriteBmpFile(path, 200, 100, kPicture));
    PictureHandle picture = LoadBmpPicture(path);
    DeleteFileW(path);
    ASSERT_NE(nullptr, picture);
    g_view.pictureDib = picture;
    g_view.pictureInfo.biWidth = 200;
    g_view.pictureInfo.biHeight = 100;
    g_box.goalPictureShown = 1;
    DeleteDC(target);
    DeleteObject(targetBitmap);
    MakeTarget(100, 100);
    g_box.boxClientWidth = 100;
    g_box.boxClientHeight = 100;

    PaintBox();
    // 50 pixels high from y = 25; the frame runs along its outermost pixels.
    for (int x = 0; x < 100; x += 9) {
        EXPECT_EQ(kGrey, Pixel(x, 0));
        EXPECT_EQ(kGrey, Pixel(x, 24));
        EXPECT_EQ(kBlack, Pixel(x, 25));
        EXPECT_EQ(kBlack, Pixel(x, 74));
        EXPECT_EQ(kGrey, Pixel(x, 75));
        EXPECT_EQ(kGrey, Pixel(x, 99));
    }
    for (int y = 26; y < 74; y += 7) {
        EXPECT_EQ(kBlack, Pixel(0, y));
        EXPECT_EQ(kPicture, Pixel(1, y));
        EXPECT_EQ(kPicture, Pixel(50, y));
        EXPECT_EQ(kPicture, Pixel(98, y));
        EXPECT_EQ(kBlack, Pixel(99, y));
    }
    ReleasePicture(picture);
    g_view.pictureDib = nullptr;
}
