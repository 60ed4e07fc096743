#include "tests/box/box_fixture.h"
#include "model/cut_pieces.h"
#include "shell/settings.h"

std::vector<SentCommand> g_mainCommands;

static LRESULT CALLBACK TestMainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        g_mainCommands.push_back({wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void RegisterClassNamed(const char* name, WNDPROC procedure)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = g_shell.arrowCursor;
    wc.hbrBackground = g_brushes.grey;
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

// The box class keeps the brush and cursor of its first registration, so the shell's
// handles are made once for the whole run.
class BoxTestWindows : public testing::Environment {
public:
    void SetUp() override
    {
        LoadSettings(GetModuleHandleA(nullptr));
        CreateSolidBrushes();
        RegisterClassNamed("BoxTestMain", TestMainProc);
        RegisterClassNamed("BoxTestBoard", DefWindowProcA);
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
    g_shell.boxPosition = kBoxAtBottom;
    g_shell.goalPictureShown = 0;
    g_mainCommands.clear();
    g_shell.mainWindow = CreateWindowExA(
        0, "BoxTestMain", "Quiltra", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40,
        800, 640, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    g_shell.boardWindow = CreateWindowExA(
        0, "BoxTestBoard", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kBoardWidth,
        kBoardHeight, g_shell.mainWindow, (HMENU)2, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(g_shell.mainWindow);
    PumpUntilQuiet();
    ASSERT_EQ(kPieces, g_game.header.pieceCount);
    ASSERT_EQ(0, g_game.header.boardCount);
    ASSERT_EQ(kTileWidth, g_geometry.tileWidth);
    ASSERT_EQ(kTileHeight, g_geometry.tileHeight);
    RECT board;
    GetClientRect(g_shell.boardWindow, &board);
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
    MapWindowPoints(HWND_DESKTOP, g_shell.boardWindow, (POINT*)&frame, 2);
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
    return (GetWindowLongA(g_box.boxWindow, GWL_STYLE) & WS_VSCROLL) != 0;
}
