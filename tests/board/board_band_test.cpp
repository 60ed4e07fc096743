// The selection band, dragged out from free space. Four tiles have their centres inside the
// band from (90, 90) to (270, 300), one has it outside.
#include "tests/board/board_fixture.h"
#include "tests/board/pixels.h"
#include "tests/board/pointer.h"
#include "board/board_state.h"
#include "win/cursors.h"

static const POINT kBandCorner = {90, 90}, kFarCorner = {270, 300};

static void LayOutBandPieces()
{
    LayOutLoosePieces({{100, 100}, {200, 100}, {100, 220}, {200, 220}, {350, 100}});
}

static POINT Between(POINT a, POINT b)
{
    return POINT{(a.x + b.x) / 2, (a.y + b.y) / 2};
}

// The band ends one event behind the pointer, so the pointer goes one step beyond the
// corner before the button is released.
static std::vector<PieceId> SelectWithBand(POINT fromBoard, POINT toBoard)
{
    const POINT from = ToClient(fromBoard), to = ToClient(toBoard);
    const POINT beyond = {to.x + (to.x > from.x ? 2 : -2), to.y + (to.y > from.y ? 2 : -2)};
    PressAt(WM_LBUTTONDOWN, from);
    PostToBoard(WM_MOUSEMOVE, Between(from, to));
    PostToBoard(WM_MOUSEMOVE, to);
    PostToBoard(WM_MOUSEMOVE, beyond);
    PostToBoard(WM_LBUTTONUP, beyond);
    return SelectedPieces();
}

TEST_F(BoardTest, ABandSelectsTheSamePiecesWhicheverWayItIsDrawn)
{
    const struct {
        const char* way;
        POINT from, to;
    } ways[] = {
        {"left to right, top to bottom", kBandCorner, kFarCorner},
        {"right to left, bottom to top", kFarCorner, kBandCorner},
        {"right to left, top to bottom",
         {kFarCorner.x, kBandCorner.y},
         {kBandCorner.x, kFarCorner.y}},
        {"left to right, bottom to top",
         {kBandCorner.x, kFarCorner.y},
         {kFarCorner.x, kBandCorner.y}},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        // Each band reorders the table, so each lays out pieces of its own.
        LayOutBandPieces();
        const std::vector<PieceId> inside = {IdOf(0), IdOf(1), IdOf(2), IdOf(3)};
        EXPECT_EQ(inside, SelectWithBand(way.from, way.to));
        EXPECT_EQ(kMouseIdle, g_board.mouseMode);
        EXPECT_EQ(kDragNone, g_board.dragKind);
        EXPECT_EQ(g_cursors.arrow, BoardCursor());
    }
}

TEST_F(BoardTest, TheBandEndsAtThePointersPreviousPosition)
{
    LayOutBandPieces();
    const POINT anchor = ToClient(kBandCorner);
    const POINT first = {anchor.x + 40, anchor.y + 30}, second = {anchor.x + 120, anchor.y + 90},
                third = {anchor.x + 200, anchor.y + 150};
    PressAt(WM_LBUTTONDOWN, anchor);
    PostToBoard(WM_MOUSEMOVE, first);
    ASSERT_EQ(kDragBand, g_board.dragKind);
    EXPECT_EQ(g_cursors.cross, BoardCursor());
    EXPECT_EQ((RECT{anchor.x, anchor.y, anchor.x, anchor.y}), g_board.bandRect);
    PostToBoard(WM_MOUSEMOVE, second);
    EXPECT_EQ((RECT{anchor.x, anchor.y, first.x, first.y}), g_board.bandRect);
    PostToBoard(WM_MOUSEMOVE, third);
    EXPECT_EQ((RECT{anchor.x, anchor.y, second.x, second.y}), g_board.bandRect);

    // The drawn band's black shadow has its right edge one pixel right of the band; the row
    // lies above the pieces, on white board.
    const Pixels window = CaptureBoardWindow();
    const int row = anchor.y + 5;
    EXPECT_EQ(RGB(0, 0, 0), window.At(second.x, row));
    EXPECT_EQ(RGB(255, 255, 255), window.At(third.x, row));
    PostToBoard(WM_LBUTTONUP, third);
}
