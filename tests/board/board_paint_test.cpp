// Painting the board window: where the board lies in it, which pieces a full render draws,
// the fast path of a drag, and the two overlays drawn onto the window itself.
#include "tests/board/board_fixture.h"
#include "tests/board/pixels.h"
#include "tests/board/pointer.h"
#include "board/board_paint.h"
#include "board/board_state.h"
#include "model/piece_moves.h"

static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kBlack = RGB(0, 0, 0);
static const COLORREF kGrey = RGB(127, 127, 127);
static const COLORREF kMarker = RGB(10, 200, 30);

// Paints over the whole window without invalidating it, so that only what the next paint
// draws itself can replace the marker.
static void ScribbleOverBoardWindow()
{
    HDC dc = GetDC(g_board.window);
    HBRUSH marker = CreateSolidBrush(kMarker);
    RECT client;
    GetClientRect(g_board.window, &client);
    FillRect(dc, &client, marker);
    DeleteObject(marker);
    ReleaseDC(g_board.window, dc);
}

TEST_F(BoardTest, ABoardSmallerThanTheWindowIsCentredWithGreyAllAround)
{
    LayOutLoosePieces({});
    ScribbleOverBoardWindow();
    PaintBoardNow();
    const Pixels window = CaptureBoardWindow();
    const POINT size = BoardClientSize();
    ASSERT_EQ((size.x - 560) / 2, g_geometry.offsetX);
    ASSERT_EQ((size.y - 420) / 2, g_geometry.offsetY);
    const int left = g_geometry.offsetX, top = g_geometry.offsetY;
    const int right = left + 560, bottom = top + 420;

    // A row and a column outside the goal area's frame.
    const int row = top + 30, column = left + 30;
    EXPECT_EQ(kGrey, window.At(0, row));
    EXPECT_EQ(kGrey, window.At(left - 1, row));
    EXPECT_EQ(kWhite, window.At(left, row));
    EXPECT_EQ(kWhite, window.At(right - 1, row));
    EXPECT_EQ(kGrey, window.At(right, row));
    EXPECT_EQ(kGrey, window.At(size.x - 1, row));
    EXPECT_EQ(kGrey, window.At(column, 0));
    EXPECT_EQ(kGrey, window.At(column, top - 1));
    EXPECT_EQ(kWhite, window.At(column, top));
    EXPECT_EQ(kWhite, window.At(column, bottom - 1));
    EXPECT_EQ(kGrey, window.At(column, bottom));
    EXPECT_EQ(kGrey, window.At(column, size.y - 1));

    // The goal area's frame lies one pixel left of and above the area at (80, 60).
    EXPECT_EQ(kGrey, window.At(left + 79, top + 200));
    EXPECT_EQ(kWhite, window.At(left + 80, top + 200));
    EXPECT_EQ(kGrey, window.At(left + 200, top + 59));
    EXPECT_EQ(kWhite, window.At(left + 200, top + 60));
}

TEST_F(BoardTest, ABoardLargerThanTheWindowFillsItFromTheScrollPosition)
{
    ShowAtZoom(300);
    LayOutLoosePieces({});
    ScrollBoardTo(100, 80);
    ScribbleOverBoardWindow();
    PaintBoardNow();
    const Pixels window = CaptureBoardWindow();
    const POINT size = BoardClientSize();
    EXPECT_EQ(0, g_geometry.offsetX);
    EXPECT_EQ(0, g_geometry.offsetY);
    EXPECT_EQ(kWhite, window.At(0, 0));
    EXPECT_EQ(kWhite, window.At(size.x - 1, size.y - 1));
    const int frameX = g_geometry.goalLeft - 1 - 100, frameY = g_geometry.goalTop - 1 - 80;
    EXPECT_EQ(kWhite, window.At(frameX - 1, 300));
    EXPECT_EQ(kGrey, window.At(frameX, 300));
    EXPECT_EQ(kWhite, window.At(frameX + 1, 300));
    EXPECT_EQ(kGrey, window.At(400, frameY));
    EXPECT_EQ(kWhite, window.At(400, frameY + 1));
}

// The buffers are kept from zoom to zoom, but not at a size the client no longer has.
TEST_F(BoardTest, TheBuffersFollowTheClientsSize)
{
    RECT frame;
    GetWindowRect(g_board.window, &frame);
    MapWindowPoints(nullptr, GetParent(g_board.window), (POINT*)&frame, 2);
    MoveWindow(g_board.window, frame.left, frame.top, frame.right - frame.left - 40,
               frame.bottom - frame.top - 30, TRUE);
    ShowAtZoom(300);
    const POINT client = BoardClientSize();
    EXPECT_EQ(client.x, g_geometry.bufferWidth);
    EXPECT_EQ(client.y, g_geometry.bufferHeight);
    MoveWindow(g_board.window, frame.left, frame.top, frame.right - frame.left,
               frame.bottom - frame.top, TRUE);
    ScribbleOverBoardWindow();
    PaintBoardNow();
    EXPECT_EQ(client.x + 40, g_geometry.bufferWidth);
    EXPECT_EQ(client.y + 30, g_geometry.bufferHeight);
    const Pixels window = CaptureBoardWindow();
    EXPECT_EQ(kWhite, window.At(client.x + 39, client.y + 29));
}

// The bound is only visible with a buffer wider than the render believes it is: pieces
// drawn past the believed edge then land on pixels the render does not clear.
TEST_F(BoardTest, APieceWhoseTileStartsAtTheBuffersFarEdgeIsDrawnAndOnePixelFurtherIsNot)
{
    ShowAtZoom(300);
    LayOutLoosePieces({});
    ScrollBoardTo(40, 30);
    const int width = g_geometry.bufferWidth, height = g_geometry.bufferHeight;
    const int edgeX = width - 400, edgeY = height - 300;
    LayOutLoosePieces({{edgeX + 40, 100 + 30},
                       {edgeX + 41, 300 + 30},
                       {100 + 40, edgeY + 30},
                       {400 + 40, edgeY + 31}});
    HBRUSH marker = CreateSolidBrush(kMarker);
    RECT all = {0, 0, width, height};
    FillRect(g_view.boardBuffer.dc, &all, marker);
    DeleteObject(marker);

    g_geometry.bufferWidth = edgeX;
    g_geometry.bufferHeight = edgeY;
    RenderBoard(false);
    g_geometry.bufferWidth = width;
    g_geometry.bufferHeight = height;

    const Pixels buffer = CaptureBoardBuffer();
    const int cellX = (int)(g_geometry.tabMarginX + g_geometry.cellWidth / 2);
    const int cellY = (int)(g_geometry.tabMarginY + g_geometry.cellHeight / 2);
    EXPECT_NE(kMarker, buffer.At(edgeX + cellX, 100 + cellY)) << "drawn at the right edge";
    EXPECT_EQ(kMarker, buffer.At(edgeX + 1 + cellX, 300 + cellY)) << "skipped one pixel further";
    EXPECT_NE(kMarker, buffer.At(100 + cellX, edgeY + cellY)) << "drawn at the bottom edge";
    EXPECT_EQ(kMarker, buffer.At(400 + cellX, edgeY + 1 + cellY)) << "skipped one pixel lower";
}

// Twelve overlapping tiles in four columns and three rows.
static std::vector<POINT> Cluster(POINT corner, int stepX, int stepY)
{
    std::vector<POINT> corners;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            corners.push_back(POINT{corner.x + column * stepX, corner.y + row * stepY});
    return corners;
}

static void MoveSelectionBy(int dx, int dy)
{
    const GameHeader& h = g_game.header;
    const int base = h.boardCount - h.selectedCount;
    SetPiecePosition(base, g_game.pieces[base].posX + dx / g_geometry.rangeX,
                     g_game.pieces[base].posY + dy / g_geometry.rangeY);
    ArrangeFan();
}

// The fast path restores only what the selection covered; a full render of the same
// positions is the reference for every pixel.
TEST_F(BoardTest, DragPaintsLeaveTheBufferAsAFullRenderOfTheSamePositionsWouldDrawIt)
{
    ShowAtZoom(300);
    ScrollBoardTo(300, 250);
    LayOutLoosePieces(Cluster(POINT{500, 400}, 90, 80));
    for (int index : {5, 6, 9}) {
        const POINT cell = CellCentre(index);
        ASSERT_TRUE(PickAt(cell.x, cell.y, true));
    }
    ASSERT_EQ(3, g_game.header.selectedCount);
    PaintBoardNow();

    // As the mouse leaves it when a drag of the selection begins.
    g_board.dragKind = kDragStarting;
    PaintBoardNow();
    ASSERT_EQ(kDragMoving, g_board.dragKind);
    const POINT steps[] = {{7, 3},   {40, -20},    {-150, 90}, {200, 0}, {-5, -5},
                           {0, 260}, {-300, -200}, {-500, 0},  {500, 0}, {60, 70}};
    for (const POINT& step : steps) {
        MoveSelectionBy(step.x, step.y);
        PaintBoardNow();
    }
    ASSERT_EQ(kDragMoving, g_board.dragKind);
    const Pixels dragged = CaptureBoardBuffer();
    RenderBoard(false);
    EXPECT_TRUE(SamePixels(dragged, CaptureBoardBuffer()));
}

TEST_F(BoardTest, DraggingAPieceAcrossOthersWithTheMouseKeepsTheBoardIntact)
{
    LayOutLoosePieces(Cluster(POINT{150, 120}, 35, 30));
    const POINT press = ToClient(CellCentre(5));
    PressAt(WM_LBUTTONDOWN, press);
    const POINT path[] = {{4, 2}, {30, 10}, {60, 45}, {-40, 70}, {-90, -20}, {10, -60}};
    for (const POINT& offset : path)
        PostToBoard(WM_MOUSEMOVE, POINT{press.x + offset.x, press.y + offset.y});
    ASSERT_EQ(kDragMoving, g_board.dragKind);
    const Pixels dragged = CaptureBoardBuffer();
    RenderBoard(false);
    EXPECT_TRUE(SamePixels(dragged, CaptureBoardBuffer()));
    PostToBoard(WM_LBUTTONUP, POINT{press.x + 10, press.y - 60});
}

// The first movement of a drag can carry the piece several tiles away before the drag's
// first paint, which clears only the tiles around where the piece is now.
TEST_F(BoardTest, ADragWhoseFirstMoveIsLongLeavesNothingWhereThePieceLay)
{
    LayOutLoosePieces({{100, 100}, {130, 120}});
    const POINT press = ToClient(CellCentre(0));
    SendMessageW(g_board.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    SendMessageW(g_board.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(press.x + 250, press.y + 40));
    UpdateWindow(g_board.window);
    ASSERT_EQ(kDragMoving, g_board.dragKind);
    const Pixels dragged = CaptureBoardBuffer();
    RenderBoard(false);
    EXPECT_TRUE(SamePixels(dragged, CaptureBoardBuffer()));
    SendMessageW(g_board.window, WM_LBUTTONUP, 0, MAKELPARAM(press.x + 250, press.y + 40));
}

// A band ends and, before the board is painted, the next begins: its backdrop must show
// the pieces where the first band's selection put them. Sent, not posted, so that no
// paint comes between.
TEST_F(BoardTest, ABandBegunBeforeThePaintAfterABandShowsTheBoardAsItIsNow)
{
    LayOutLoosePieces({{100, 100}, {200, 100}, {100, 220}, {200, 220}});
    const POINT from = ToClient(POINT{90, 90}), to = ToClient(POINT{300, 300});
    PressAt(WM_LBUTTONDOWN, from);
    PostToBoard(WM_MOUSEMOVE, to);
    PostToBoard(WM_MOUSEMOVE, POINT{to.x + 2, to.y + 2});
    ASSERT_EQ(kDragBand, g_board.dragKind);
    SendMessageW(g_board.window, WM_LBUTTONUP, 0, MAKELPARAM(to.x + 2, to.y + 2));
    ASSERT_EQ(4, g_game.header.selectedCount) << "the fan moved the pieces";

    const POINT free = ToClient(POINT{520, 120});
    SendMessageW(g_board.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(free.x, free.y));
    SendMessageW(g_board.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(free.x + 9, free.y + 9));
    ASSERT_EQ(kDragBand, g_board.dragKind);
    UpdateWindow(g_board.window);
    const Pixels backdrop = CaptureBoardBuffer();
    RenderBoard(false);
    EXPECT_TRUE(SamePixels(backdrop, CaptureBoardBuffer()));
    SendMessageW(g_board.window, WM_LBUTTONUP, 0, MAKELPARAM(free.x + 9, free.y + 9));
}

// Checks each bar three pixels from its ends, where only tile corners or bare board lie:
// two pixels inverted (white board turned black), white on both sides.
static testing::AssertionResult FrameIs(const Pixels& window, RECT frame, COLORREF bars)
{
    const int left = frame.left, top = frame.top, right = frame.right, bottom = frame.bottom;
    struct Probe {
        int x, y;
        COLORREF expected;
    };
    std::vector<Probe> probes;
    for (int y : {top + 3, bottom - 3})
        for (int x : {left, right}) {
            probes.push_back({x - 1, y, kWhite});
            probes.push_back({x, y, bars});
            probes.push_back({x + 1, y, bars});
            probes.push_back({x + 2, y, kWhite});
        }
    for (int x : {left + 5, right - 5})
        for (int y : {top, bottom}) {
            probes.push_back({x, y - 1, kWhite});
            probes.push_back({x, y, bars});
            probes.push_back({x, y + 1, bars});
            probes.push_back({x, y + 2, kWhite});
        }
    for (const Probe& probe : probes)
        if (window.At(probe.x, probe.y) != probe.expected)
            return testing::AssertionFailure() << "at (" << probe.x << ", " << probe.y << ") 0x"
                                               << std::hex << window.At(probe.x, probe.y);
    return testing::AssertionSuccess();
}

static RECT SelectionFrame()
{
    const GameHeader& h = g_game.header;
    const int base = h.boardCount - h.selectedCount;
    const int x = TileLeft(base) - g_board.scrollX + g_geometry.offsetX;
    const int y = TileTop(base) - g_board.scrollY + g_geometry.offsetY;
    return RECT{x - (int)(h.fanSpreadX * g_geometry.rangeX) - 2,
                y - (int)(h.fanSpreadY * g_geometry.rangeY) - 2, (int)(x + g_geometry.tileWidth),
                (int)(y + g_geometry.tileHeight)};
}

TEST_F(BoardTest, AnInvertedFrameEnclosesTheSelectionAndGoesWithIt)
{
    LayOutLoosePieces({{300, 100}, {420, 100}});
    const PieceId first = IdOf(0), second = IdOf(1);
    PostClick(ToClient(CellCentre(0)));
    const RECT single = SelectionFrame();
    EXPECT_TRUE(FrameIs(CaptureBoardWindow(), single, kBlack)) << "around the tile";

    PostClick(ToClient(CellCentre(IndexOf(second))));
    ASSERT_EQ((std::vector<PieceId>{first, second}), SelectedPieces());
    const RECT fan = SelectionFrame();
    EXPECT_LT(fan.left, single.left);
    EXPECT_TRUE(FrameIs(CaptureBoardWindow(), fan, kBlack)) << "around the fan";

    PostClick(ToClient(POINT{480, 380}));
    ASSERT_EQ(0, g_game.header.selectedCount);
    EXPECT_TRUE(FrameIs(CaptureBoardWindow(), fan, kWhite)) << "gone with the selection";
}

// Left of the board, on grey: a white line with a black one a pixel right and down.
TEST_F(BoardTest, TheBandIsAWhiteLineWithABlackShadowWhileItIsDragged)
{
    ASSERT_GT(g_geometry.offsetX, 130);
    g_board.bandRect = RECT{20, 100, 120, 200};
    g_board.dragKind = kDragBand;
    PaintBoardNow();
    Pixels window = CaptureBoardWindow();
    const struct {
        int x, y;
        COLORREF colour;
    } band[] = {{20, 150, kWhite},  {21, 150, kBlack}, {22, 150, kGrey},  {119, 150, kWhite},
                {120, 150, kBlack}, {121, 150, kGrey}, {70, 100, kWhite}, {70, 101, kBlack},
                {70, 102, kGrey},   {70, 199, kWhite}, {70, 200, kBlack}, {70, 201, kGrey}};
    for (const auto& pixel : band)
        EXPECT_EQ(pixel.colour, window.At(pixel.x, pixel.y)) << pixel.x << ", " << pixel.y;

    g_board.dragKind = kDragNone;
    PaintBoardNow();
    window = CaptureBoardWindow();
    for (const auto& pixel : band)
        EXPECT_EQ(kGrey, window.At(pixel.x, pixel.y)) << pixel.x << ", " << pixel.y;
}
