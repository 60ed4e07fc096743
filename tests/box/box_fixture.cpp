#include "tests/box/box_fixture.h"
#include "board/board_state.h"
#include "model/cut_pieces.h"
#include "shell/settings.h"
#include "win/cursors.h"
#include <windowsx.h>

std::vector<MenuRequest> g_menuRequests;

static LRESULT CALLBACK TestBoardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CONTEXTMENU) {
        g_menuRequests.push_back({(HWND)wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

static void RegisterClassNamed(const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = g_cursors.arrow;
    wc.hbrBackground = g_brushes.grey;
    wc.lpszClassName = name;
    RegisterClassW(&wc);
}

// The box class keeps the brush and cursor of its first registration, so the shell's
// handles are made once for the whole run.
class BoxTestWindows : public testing::Environment {
public:
    void SetUp() override
    {
        LoadSettings(GetModuleHandleW(nullptr));
        CreateSolidBrushes();
        RegisterClassNamed(L"BoxTestMain", DefWindowProcW);
        RegisterClassNamed(L"BoxTestBoard", TestBoardProc);
    }
};

static testing::Environment* const s_windows =
    testing::AddGlobalTestEnvironment(new BoxTestWindows);

void BoxTest::SetUp()
{
    ClearBoxState();
    ResetGameState();
    g_game.header.columns = 5;
    g_game.header.rows = 5;
    CutPieces();
    ComputeViewGeometry(400, 300, 100, 5, 5);
    g_box.boxPosition = kBoxAtBottom;
    g_box.goalPictureShown = 0;
    g_box.edgesOnly = 0;
    g_menuRequests.clear();
    g_shell.mainWindow = CreateWindowExW(
        0, L"BoxTestMain", L"Quiltra", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40,
        800, 640, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    g_board.window = CreateWindowExW(0, L"BoxTestBoard", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                     0, 0, kBoardWidth, kBoardHeight, g_shell.mainWindow, (HMENU)2,
                                     GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(g_shell.mainWindow);
    PumpUntilQuiet();
    ASSERT_EQ(kPieces, g_game.header.pieceCount);
    ASSERT_EQ(0, g_game.header.boardCount);
    ASSERT_EQ(kTileWidth, g_geometry.tileWidth);
    ASSERT_EQ(kTileHeight, g_geometry.tileHeight);
    RECT board;
    GetClientRect(g_board.window, &board);
    ASSERT_EQ(kBoardWidth, board.right);
    ASSERT_EQ(kBoardHeight, board.bottom);
}

void BoxTest::TearDown()
{
    ShowBox(kBoxClose);
    DestroyWindow(g_shell.mainWindow);
    PumpMessages(20);
}

RECT BoxTest::BoxFrame()
{
    RECT frame;
    GetWindowRect(g_box.boxWindow, &frame);
    MapWindowPoints(HWND_DESKTOP, g_board.window, (POINT*)&frame, 2);
    return frame;
}

SCROLLINFO BoxTest::BoxScrollInfo()
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(g_box.boxWindow, SB_VERT, &info);
    return info;
}

bool BoxTest::HasScrollBar()
{
    return (GetWindowLongW(g_box.boxWindow, GWL_STYLE) & WS_VSCROLL) != 0;
}
