#include "tests/board/board_fixture.h"
#include "board/board_state.h"
#include "board/piece_images.h"
#include "board/scroll.h"
#include "box/box_window.h"
#include "model/cut_pieces.h"
#include "shell/game_view.h"
#include "shell/title.h"
#include "win/cursors.h"
#include "win/image_library.h"
#include "win/program_folder.h"
#include <ostream>

std::ostream& operator<<(std::ostream& out, const PieceId& piece)
{
    return out << "(" << piece.column << ", " << piece.row << ")";
}

bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::ostream& operator<<(std::ostream& out, const RECT& rect)
{
    return out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
               << "}";
}

static std::wstring PicturePath()
{
    wchar_t folder[MAX_PATH] = L"";
    EXPECT_TRUE(GetProgramFolder(folder, MAX_PATH));
    return std::wstring(folder) + L"pictures\\board.png";
}

// As "新規作成" does after its dialogs: picture, cut, then the view of a new game.
static void StartGame()
{
    PictureHandle picture = LoadPngPicture(PicturePath().c_str());
    ASSERT_NE(nullptr, picture) << PicturePath();
    g_view.pictureDib = picture;
    ASSERT_TRUE(GetPictureHeader(picture, &g_view.pictureInfo));
    ResetGameState();
    g_game.header.columns = 10;
    g_game.header.rows = 10;
    CutPieces();
    g_board.gameActive = 1;
    g_shell.gameModified = 1;
    BeginGameView();
    // The box is a child of the board and would take the pointer's messages.
    ShowBox(kBoxClose);
}

void BoardTest::SetUp()
{
    MainWindowTest::SetUp();
    if (HasFatalFailure())
        return;
    g_shell.OptSound = 0;
    g_board.mouseMode = kMouseIdle;
    g_board.dragKind = kDragNone;
    // A band left over from an earlier test would be reused by a release without movement.
    g_board.lastPoint = POINT{};
    g_board.bandAnchor = POINT{};
    g_board.bandRect = RECT{};
    g_board.scrollX = 0;
    g_board.scrollY = 0;
    SetForegroundWindow(g_shell.mainWindow);
    StartGame();
    if (HasFatalFailure())
        return;
    ShowAtZoom(100);
    ASSERT_EQ(100, g_game.header.pieceCount);
    ASSERT_EQ(61, g_geometry.tileWidth);
    ASSERT_EQ(47, g_geometry.tileHeight);
    ASSERT_GT(g_geometry.offsetX, 0) << "the board must fit the window";
    ASSERT_GT(g_geometry.offsetY, 0) << "the board must fit the window";
}

void BoardTest::TearDown()
{
    g_board.gameActive = 0;
    g_board.mouseMode = kMouseIdle;
    g_board.dragKind = kDragNone;
    // The board's class outlives its window; the next test must not inherit a drag cursor.
    SetClassLongPtrW(g_board.window, GCLP_HCURSOR, (LONG_PTR)g_cursors.arrow);
    MainWindowTest::TearDown();
}

void ShowAtZoom(int percent, const char* file, int line)
{
    SelectZoom(percent, false);
    UpdateTitle();
    if (!BuildPieceImages())
        ADD_FAILURE_AT(file, line) << "no piece images at " << percent << " %";
    PaintBoardNow();
}

void ScrollBoardTo(int x, int y)
{
    g_board.scrollX = x;
    g_board.scrollY = y;
    UpdateScrollBars();
    PaintBoardNow();
}

void PaintBoardNow()
{
    RedrawWindow(g_board.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void LayOutLoosePieces(const std::vector<POINT>& corners)
{
    GameHeader& h = g_game.header;
    h.fixedCount = 0;
    h.selectedCount = 0;
    h.boardCount = (int)corners.size();
    h.fanSpreadX = 0;
    h.fanSpreadY = 0;
    int index = 0;
    for (const POINT& corner : corners)
        PlaceTile(index++, corner.x, corner.y);
    PaintBoardNow();
}

// Half a pixel in, so that the truncation back to pixels cannot fall one short.
void PlaceTile(int index, int boardX, int boardY)
{
    g_game.pieces[index].posX = (boardX + 0.5) / g_geometry.rangeX;
    g_game.pieces[index].posY = (boardY + 0.5) / g_geometry.rangeY;
}

int TileLeft(int index)
{
    return (int)(g_game.pieces[index].posX * g_geometry.rangeX);
}

int TileTop(int index)
{
    return (int)(g_game.pieces[index].posY * g_geometry.rangeY);
}

POINT CellCentre(int index)
{
    const ViewGeometry& g = g_geometry;
    return POINT{(int)(TileLeft(index) + g.tabMarginX + g.cellWidth / 2),
                 (int)(TileTop(index) + g.tabMarginY + g.cellHeight / 2)};
}

POINT HomeCorner(int index)
{
    const ViewGeometry& g = g_geometry;
    const PieceRecord& piece = g_game.pieces[index];
    return POINT{(int)(g.goalLeft + piece.column * g.cellWidth - g.tabMarginX),
                 (int)(g.goalTop + piece.row * g.cellHeight - g.tabMarginY)};
}

POINT ToClient(POINT board)
{
    return POINT{board.x - g_board.scrollX + g_geometry.offsetX,
                 board.y - g_board.scrollY + g_geometry.offsetY};
}

PieceId IdOf(int index)
{
    return PieceId{g_game.pieces[index].column, g_game.pieces[index].row};
}

int IndexOf(PieceId piece)
{
    for (int i = 0; i < g_game.header.pieceCount; ++i)
        if (IdOf(i) == piece)
            return i;
    return -1;
}

std::vector<PieceId> SelectedPieces()
{
    const GameHeader& h = g_game.header;
    std::vector<PieceId> selected;
    for (int i = h.boardCount - h.selectedCount; i < h.boardCount; ++i)
        selected.push_back(IdOf(i));
    return selected;
}

std::wstring MainTitle()
{
    wchar_t title[512] = L"";
    GetWindowTextW(g_shell.mainWindow, title, 512);
    return title;
}

HCURSOR BoardCursor()
{
    return (HCURSOR)GetClassLongPtrW(g_board.window, GCLP_HCURSOR);
}

POINT BoardClientSize()
{
    RECT client;
    GetClientRect(g_board.window, &client);
    return POINT{client.right, client.bottom};
}

testing::AssertionResult TileIsAt(int index, int boardX, int boardY)
{
    if (TileLeft(index) == boardX && TileTop(index) == boardY)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
        << "tile " << index << " " << IdOf(index) << " is at (" << TileLeft(index) << ", "
        << TileTop(index) << "), expected (" << boardX << ", " << boardY << ")";
}
