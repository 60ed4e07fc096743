#include "tests/box/box_fixture.h"
#include "board/piece_images.h"
#include "board/zoomed_picture.h"
#include "model/cut_pieces.h"
#include "resources/resource_ids.h"
#include "shell/commands.h"
#include <algorithm>
#include <string>
#include <utility>

// A 10 x 10 cut of the 400 x 300 picture at 100 %: cells of 40 x 30, margins of 10.8 and
// 8.6, tiles of 61 x 47. The middle of a tile's cell lies at (30, 23) inside the tile.
const int kSide = 10;
const int kEdgeCount = 36;
const int kEdgeTileWidth = 61;
const int kEdgeTileHeight = 47;

// Every cell of the picture has a colour of its own, so a pixel tells which piece it shows.
static uint32_t CellColour(int column, int row)
{
    return (uint32_t)(20 + column * 20) << 16 | (uint32_t)(20 + row * 20) << 8 | 77;
}

static uint32_t PieceColour(int index)
{
    return CellColour(g_game.pieces[index].column, g_game.pieces[index].row);
}

static std::pair<int, int> HomeOf(int index)
{
    return {g_game.pieces[index].column, g_game.pieces[index].row};
}

static std::wstring Caption()
{
    wchar_t text[64] = L"";
    GetWindowTextW(g_box.boxWindow, text, 64);
    return text;
}

static const uint32_t kNotShown = 0xFF000000;  // no colour of a pixel

static void PaintNow()
{
    RedrawWindow(g_box.boxWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// What the box's own paint put into its buffer, which it copies to the screen.
static uint32_t Shown(int x, int y)
{
    const PixelImage& shown = g_box.buffer.pixels;
    if (!shown.pixels || x < 0 || y < 0 || x >= shown.width || y >= shown.height)
        return kNotShown;
    return shown.pixels[y * shown.width + x] & 0xFFFFFF;
}

// The middle of the slot's cell in the view.
static POINT SlotMiddle(int slot)
{
    return POINT{slot % g_box.boxColumns * kEdgeTileWidth + 30,
                 slot / g_box.boxColumns * kEdgeTileHeight + 23 - g_box.boxScrollY};
}

static uint32_t ShownAtSlot(int slot)
{
    const POINT middle = SlotMiddle(slot);
    return Shown(middle.x, middle.y);
}

static void ClickFirstSlot()
{
    POINT point = {30, 23};
    ClientToScreen(g_box.boxWindow, &point);
    SetCursorPos(point.x, point.y);
    PostMessageW(g_box.boxWindow, WM_LBUTTONDOWN, 0, MAKELPARAM(30, 23));
    PostMessageW(g_box.boxWindow, WM_LBUTTONUP, 0, MAKELPARAM(30, 23));
    PumpMessages(20);
}

class BoxEdges : public BoxTest {
protected:
    void SetUp() override
    {
        BoxTest::SetUp();
        ResetGameState();
        g_game.header.columns = kSide;
        g_game.header.rows = kSide;
        CutPieces();
        // The table's first piece lies inside the frame, so the filter's first slot is another.
        for (int i = 1; IsEdgePiece(g_game.pieces[0], g_game.header); ++i)
            std::swap(g_game.pieces[0], g_game.pieces[i]);
        ResetView();
        ComputeViewGeometry(400, 300, 100, kSide, kSide);
        ASSERT_EQ(kEdgeTileWidth, g_geometry.tileWidth);
        ASSERT_EQ(kEdgeTileHeight, g_geometry.tileHeight);
        MakeSurface(&picture, 400, 300);
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                picture.pixels.pixels[y * 400 + x] = CellColour(x / 40, y / 30);
        SetZoomedPicture(picture.pixels.pixels, 400, 300, 400, 300);
        ASSERT_TRUE(BuildBlankTile());
    }
    void TearDown() override
    {
        BoxTest::TearDown();
        FreeSurface(&picture);
        ReleaseViewResources();
    }
    Surface picture = {};
};

// The player sorts out the frame: the box shows only the boxed edge pieces, in table order
// and without gaps, counts them in its caption, gives them out by a click on what it
// shows, says so when none is left, and shows every boxed piece again when asked.
TEST_F(BoxEdges, TheFrameIsSortedOutAndTheWholeBoxComesBack)
{
    const int pieces = kSide * kSide;
    ShowBox(kBoxShow);
    ASSERT_EQ(L"箱", Caption());
    PaintNow();
    ASSERT_EQ(PieceColour(0), ShownAtSlot(0));

    wchar_t item[64] = L"";
    GetMenuStringW(g_shell.boxMenu, IDM_EDGESONLY, item, 64, MF_BYCOMMAND);
    EXPECT_STREQ(L"枠のピースだけ(&E)", item);
    RunCommand(IDM_EDGESONLY);
    EXPECT_TRUE(GetMenuState(g_shell.boxMenu, IDM_EDGESONLY, MF_BYCOMMAND) & MF_CHECKED);
    ASSERT_EQ(kEdgeCount, BoxSlotCount());
    EXPECT_EQ(L"箱 (枠 36/100 ピース)", Caption());
    const int rows = (kEdgeCount + g_box.boxColumns - 1) / g_box.boxColumns;
    EXPECT_EQ(std::max(rows * kEdgeTileHeight, g_box.boxClientHeight), g_box.boxContentHeight);
    PaintNow();
    int slot = 0;
    for (int i = 0; i < pieces; ++i) {
        if (!IsEdgePiece(g_game.pieces[i], g_game.header))
            continue;
        ASSERT_EQ(i, BoxPieceAt(slot)) << "slot " << slot;
        if (SlotMiddle(slot).y < g_box.boxClientHeight) {
            EXPECT_EQ(PieceColour(i), ShownAtSlot(slot)) << "slot " << slot;
        }
        ++slot;
    }
    // The scroll range is the shown list's.
    SendMessageW(g_box.boxWindow, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(g_box.boxContentHeight - g_box.boxClientHeight, g_box.boxScrollY);
    EXPECT_EQ(g_box.boxContentHeight, BoxScrollInfo().nMax);
    SendMessageW(g_box.boxWindow, WM_VSCROLL, SB_PAGEUP, 0);
    ASSERT_EQ(0, g_box.boxScrollY);

    const std::pair<int, int> firstEdge = HomeOf(BoxPieceAt(0));
    const std::pair<int, int> firstOfTable = HomeOf(0);

    ClickFirstSlot();
    ASSERT_EQ(1, g_game.header.boardCount);
    EXPECT_EQ(firstEdge, HomeOf(0)) << "the click took out another piece than the one shown";
    EXPECT_EQ(firstOfTable, HomeOf(1));
    EXPECT_EQ(L"箱 (枠 35/99 ピース)", Caption());
    PaintNow();
    EXPECT_EQ(PieceColour(BoxPieceAt(0)), ShownAtSlot(0));

    for (int taken = 1; taken < kEdgeCount; ++taken)
        ClickFirstSlot();
    ASSERT_EQ(kEdgeCount, g_game.header.boardCount);
    for (int i = 0; i < kEdgeCount; ++i)
        EXPECT_TRUE(IsEdgePiece(g_game.pieces[i], g_game.header)) << i;
    EXPECT_EQ(0, BoxSlotCount());
    EXPECT_EQ(L"箱 (枠 0/64 ピース)", Caption());
    EXPECT_EQ(g_box.boxClientHeight, g_box.boxContentHeight);
    ClickFirstSlot();
    EXPECT_EQ(kEdgeCount, g_game.header.boardCount);
    // The note, in dark letters across the middle, where the grid would be; no piece shows.
    const int middle = g_box.boxClientHeight / 2;
    PaintNow();
    int dark = 0;
    for (int y = 0; y < g_box.boxClientHeight; ++y)
        for (int x = 0; x < g_box.boxClientWidth; ++x) {
            const uint32_t pixel = Shown(x, y);
            ASSERT_TRUE(pixel == 0xFFFFFF || (y > middle - 30 && y < middle + 30))
                << x << ", " << y;
            dark += (pixel & 0xFF) < 0x80;
        }
    EXPECT_GT(dark, 50);

    RunCommand(IDM_EDGESONLY);
    EXPECT_FALSE(GetMenuState(g_shell.boxMenu, IDM_EDGESONLY, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(L"箱", Caption());
    EXPECT_EQ(0, g_box.boxScrollY) << "the whole box starts at its top";
    ASSERT_EQ(pieces - kEdgeCount, BoxSlotCount());
    EXPECT_EQ(kEdgeCount, BoxPieceAt(0));
    PaintNow();
    EXPECT_EQ(PieceColour(kEdgeCount), ShownAtSlot(0));
    EXPECT_EQ(PieceColour(kEdgeCount + 1), ShownAtSlot(1));
}
