// Quiltra on screens of 144 and 192 DPI, as Wine gives them to a new process from the
// registry: the bars and the box's caption grow with the DPI, the board does not.
#include "tests/e2e/game_file_fixture.h"
#include <commctrl.h>

namespace {

void SetScreenDpi(DWORD dpi)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr));
    if (dpi)
        RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, (const BYTE*)&dpi, sizeof dpi);
    else
        RegDeleteValueW(key, L"LogPixels");
    RegCloseKey(key);
}

struct Layout {
    SIZE button;
    int statusHeight;
    RECT board;  // in the main window's client
    int clientBottom;
    int boxCaption;  // the box's frame above its client area, less its side frame
    int boardSpan;   // screen pixels across the white board at 100 %, on a row above the box
};

// The board is centred on grey where the window is wider: the white between.
int BoardSpanOnScreen(HWND board)
{
    RECT client;
    GetClientRect(board, &client);
    HBITMAP shot = CaptureWindow(board);
    const int y = client.bottom / 4;
    const COLORREF grey = PixelAt(shot, 0, y);
    int first = -1, last = -1;
    for (int x = 0; x < client.right; ++x) {
        if (PixelAt(shot, x, y) == grey)
            continue;
        if (first < 0)
            first = x;
        last = x;
    }
    DeleteObject(shot);
    return first < 0 ? 0 : last - first + 1;
}

class HighDpi : public GameFile {
protected:
    void TearDown() override
    {
        GameFile::TearDown();
        SetScreenDpi(0);
    }

    Layout Measure()
    {
        Layout layout = {};
        HWND toolbar = FindChild(player.mainWindow, L"ToolbarWindow32");
        HWND status = FindChild(player.mainWindow, L"msctls_statusbar32");
        HWND board = FindChild(player.mainWindow, L"Quiltra Sight");
        const DWORD button = (DWORD)SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0);
        layout.button = SIZE{LOWORD(button), HIWORD(button)};
        RECT frame, client;
        GetWindowRect(status, &frame);
        layout.statusHeight = frame.bottom - frame.top;
        GetWindowRect(board, &layout.board);
        MapWindowPoints(nullptr, player.mainWindow, (POINT*)&layout.board, 2);
        GetClientRect(player.mainWindow, &client);
        layout.clientBottom = client.bottom;

        NewGame(g_fixtures + L"\\landscape.jpg");
        // The title changes before the box opens.
        HWND box = nullptr;
        for (DWORD start = GetTickCount(); !box && GetTickCount() - start < 5000; Pause(50))
            box = FindChild(board, L"QuiltraBox");
        EXPECT_NE(nullptr, box);
        POINT origin = {0, 0};
        ClientToScreen(box, &origin);
        GetWindowRect(box, &frame);
        layout.boxCaption = (origin.y - frame.top) - (origin.x - frame.left);
        PostCommand(player.mainWindow, IDM_ZOOM100);
        WaitUntilTitleHas(L"x 100%");
        EXPECT_TRUE(ShowNotMaximised(player.mainWindow));
        Pause(500);
        layout.boardSpan = BoardSpanOnScreen(board);
        return layout;
    }

    void Restart(DWORD dpi)
    {
        EndQuiltra(&player);
        SetScreenDpi(dpi);
        ASSERT_TRUE(StartQuiltra(&player, g_quiltraExe, g_workFolder));
        pid = player.process.dwProcessId;
    }
};

}  // namespace

TEST_F(HighDpi, TheBarsAndTheBoxCaptionGrowWithTheDpiWhileTheBoardShowsAPixelAPixel)
{
    NewStatusBar bar;
    ASSERT_TRUE(MeasureNewStatusBar(&bar));
    EXPECT_EQ(96u, bar.dpi);
    const Layout at96 = Measure();
    EXPECT_EQ(kToolbarBandAt96, at96.board.top);
    EXPECT_EQ(HeldStatusBarHeight(bar), at96.statusHeight);
    EXPECT_EQ(at96.clientBottom - at96.statusHeight, at96.board.bottom);
    EXPECT_EQ(896, at96.boardSpan) << "the board is 1.4 times the 640-pixel picture";
    for (DWORD dpi : {144u, 192u}) {
        SCOPED_TRACE(dpi);
        ASSERT_NO_FATAL_FAILURE(Restart(dpi));
        ASSERT_TRUE(MeasureNewStatusBar(&bar));
        EXPECT_EQ(dpi, bar.dpi);
        const Layout layout = Measure();
        const double scale = dpi / 96.0;
        EXPECT_NEAR(at96.button.cx * scale, layout.button.cx, 2);
        EXPECT_NEAR(at96.button.cy * scale, layout.button.cy, 2);
        EXPECT_EQ(HeldStatusBarHeight(bar), layout.statusHeight);
        EXPECT_NEAR(at96.boxCaption * scale, layout.boxCaption, 2);
        EXPECT_EQ((int)(kToolbarBandAt96 * scale + 0.5), layout.board.top);
        EXPECT_EQ(layout.clientBottom - layout.statusHeight, layout.board.bottom);
        EXPECT_EQ(896, layout.boardSpan) << "100 % is a picture pixel a screen pixel";
    }
}
