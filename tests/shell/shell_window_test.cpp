#include "tests/shell/main_window_fixture.h"
#include "board/board_state.h"
#include "board/view_state.h"
#include "box/box_state.h"
#include "model/game_state.h"
#include "model/piece_groups.h"
#include "resources/resource_ids.h"
#include "shell/game_view.h"
#include "shell/menu_state.h"
#include "shell/toolbar.h"
#include <commctrl.h>
#include <algorithm>
#include <string>
#include <vector>

static std::wstring MenuText(HMENU menu, UINT position)
{
    wchar_t text[128] = L"";
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

static bool IsGrey(HMENU menu, UINT command)
{
    return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

static bool IsChecked(HMENU menu, UINT command)
{
    return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST_F(MainWindowTest, MenuBarHasTheFiveJapanesePopups)
{
    HMENU menu = GetMenu(g_shell.mainWindow);
    ASSERT_EQ(5, GetMenuItemCount(menu));
    EXPECT_EQ(L"ﾌｧｲﾙ(&F)", MenuText(menu, 0));
    EXPECT_EQ(L"箱(&B)", MenuText(menu, 1));
    EXPECT_EQ(L"表示(&V)", MenuText(menu, 2));
    EXPECT_EQ(L"ｵﾌﾟｼｮﾝ(&O)", MenuText(menu, 3));
    EXPECT_EQ(L"ﾍﾙﾌﾟ(&H)", MenuText(menu, 4));
    EXPECT_EQ(L"名前をつけて保存(&A)", MenuText(GetSubMenu(menu, 0), 4));
    EXPECT_EQ(L"箱表示／消去(&B)", MenuText(GetSubMenu(menu, 1), 2));
    HMENU zoom = GetSubMenu(GetSubMenu(menu, 2), 3);
    ASSERT_EQ(16, GetMenuItemCount(zoom));
    EXPECT_EQ(IDM_ZOOM7, (int)GetMenuItemID(zoom, 4));
    EXPECT_EQ(IDM_ZOOM10, (int)GetMenuItemID(zoom, 5));
    EXPECT_EQ(L"500%", MenuText(zoom, 15));
    EXPECT_EQ(L"閉じる(&C)", MenuText(GetSubMenu(g_shell.boxMenu, 0), 13));
}

TEST_F(MainWindowTest, WithoutAGameTheGameItemsAreGreyAndTheRestEnabled)
{
    HMENU menu = GetMenu(g_shell.mainWindow);
    for (UINT item :
         {IDM_SAVE, IDM_SAVEAS, IDM_ENLARGE, IDM_REDUCE, IDM_BOXTOGGLE, IDM_PUTINTOBOX,
          IDM_GOALPICTURE, IDM_BOXBOTTOM, IDM_BOXMAXIMISED, IDM_ZOOM1, IDM_ZOOM500, IDM_WIZARD}) {
        EXPECT_TRUE(IsGrey(menu, item)) << item;
        if (item != IDM_WIZARD) {
            EXPECT_TRUE(IsGrey(g_shell.boardMenu, item)) << item;
        }
    }
    for (UINT item : {IDM_NEW, IDM_OPEN, IDM_EXIT, IDM_OPTSOUND, IDM_OPTGRAYBORDER,
                      IDM_OPTGOALBORDER, IDM_OPTJOINPIECES, IDM_CONTENTS, IDM_ABOUT})
        EXPECT_FALSE(IsGrey(menu, item)) << item;
    EXPECT_FALSE(IsGrey(g_shell.boxMenu, IDM_ZOOM100));
}

TEST_F(MainWindowTest, OptionsAndBoxPlaceAreCheckedFromTheSettings)
{
    HMENU menu = GetMenu(g_shell.mainWindow);
    EXPECT_TRUE(IsChecked(menu, IDM_OPTSOUND));
    EXPECT_TRUE(IsChecked(menu, IDM_OPTGRAYBORDER));
    EXPECT_TRUE(IsChecked(menu, IDM_OPTGOALBORDER));
    EXPECT_FALSE(IsChecked(menu, IDM_OPTJOINPIECES));
    for (HMENU each : {menu, g_shell.boardMenu, g_shell.boxMenu}) {
        EXPECT_TRUE(IsChecked(each, IDM_BOXBOTTOM));
        EXPECT_FALSE(IsChecked(each, IDM_BOXRIGHT));
    }
    wchar_t join[64] = L"";
    GetMenuStringW(menu, IDM_OPTJOINPIECES, join, 64, MF_BYCOMMAND);
    EXPECT_STREQ(L"ピースをつなげる(&J)", join);
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_OPTJOINPIECES, 0);
    EXPECT_EQ(1, g_groups.joining);
    EXPECT_TRUE(IsChecked(menu, IDM_OPTJOINPIECES));
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_OPTJOINPIECES, 0);
    EXPECT_EQ(0, g_groups.joining);

    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_OPTGRAYBORDER, 0);
    SendMessageW(g_shell.mainWindow, WM_COMMAND, IDM_BOXRIGHT, 0);
    EXPECT_EQ(0, g_board.OptGrayBorder);
    EXPECT_FALSE(IsChecked(menu, IDM_OPTGRAYBORDER));
    EXPECT_EQ(2, g_box.boxPosition);
    for (HMENU each : {menu, g_shell.boardMenu, g_shell.boxMenu}) {
        EXPECT_FALSE(IsChecked(each, IDM_BOXBOTTOM));
        EXPECT_TRUE(IsChecked(each, IDM_BOXRIGHT));
    }
}

// The manifest asks for the common controls of version 6, and the toolbar and tooltip tests
// below run on them, as the program does. Wine's DllGetVersion answers 5.81 from every
// comctl32, so the proof is the activation context: comctl32 is redirected to the version 6
// assembly, and the toolbar code the shell calls was loaded from that assembly's folder.
TEST_F(MainWindowTest, TheToolbarComesFromTheCommonControlsOfVersionSix)
{
    ACTCTX_SECTION_KEYED_DATA redirect = {};
    redirect.cbSize = sizeof redirect;
    ASSERT_TRUE(FindActCtxSectionStringW(FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr,
                                         ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &redirect))
        << "comctl32 is not redirected: the process runs without the manifest";
    DWORD index = redirect.ulAssemblyRosterIndex;
    SIZE_T size = 0;
    QueryActCtxW(0, redirect.hActCtx, &index, AssemblyDetailedInformationInActivationContext,
                 nullptr, 0, &size);
    std::vector<char> buffer(size);
    ASSERT_TRUE(QueryActCtxW(0, redirect.hActCtx, &index,
                             AssemblyDetailedInformationInActivationContext, buffer.data(), size,
                             &size));
    ReleaseActCtx(redirect.hActCtx);
    const auto* assembly = (const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*)buffer.data();
    std::wstring identity = assembly->lpAssemblyEncodedAssemblyIdentity;
    EXPECT_EQ(0u, identity.find(L"Microsoft.Windows.Common-Controls,")) << identity.c_str();
    EXPECT_NE(std::wstring::npos, identity.find(L"version=\"6.")) << identity.c_str();

    HMODULE controls = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                       GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   (LPCWSTR)(void*)&CreateToolbarEx, &controls));
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(controls, path, MAX_PATH);
    EXPECT_NE(nullptr, wcsstr(path, assembly->lpAssemblyDirectoryName)) << path;
}

// Wine does not forward TTN_SHOW and TTN_POP, so they are handed to the handler directly.
TEST_F(MainWindowTest, ToolbarHelpGoesToTheTooltipAndTheStatusBar)
{
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = g_shell.toolbarWindow;
    info.hdr.idFrom = IDM_OPEN;
    info.hdr.code = TTN_NEEDTEXTW;
    SendMessageW(g_shell.mainWindow, WM_NOTIFY, 0, (LPARAM)&info);
    EXPECT_STREQ(L"開く", info.szText);

    wchar_t status[256];
    info.hdr.code = TTN_SHOW;
    SendMessageW(g_shell.mainWindow, WM_NOTIFY, 0, (LPARAM)&info);
    SendMessageW(g_shell.statusWindow, SB_GETTEXTW, 0, (LPARAM)status);
    EXPECT_STREQ(L"ゲームファイルを開きます", status);

    info.hdr.code = TTN_POP;
    SendMessageW(g_shell.mainWindow, WM_NOTIFY, 0, (LPARAM)&info);
    SendMessageW(g_shell.statusWindow, SB_GETTEXTW, 0, (LPARAM)status);
    EXPECT_STREQ(L"", status);

    info.hdr.idFrom = IDM_ABOUT;
    info.hdr.code = TTN_SHOW;
    SendMessageW(g_shell.mainWindow, WM_NOTIFY, 0, (LPARAM)&info);
    SendMessageW(g_shell.statusWindow, SB_GETTEXTW, 0, (LPARAM)status);
    EXPECT_STREQ(L"", status);
}

static BOOL CALLBACK FindVisibleTooltip(HWND window, LPARAM found)
{
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    if (wcscmp(name, TOOLTIPS_CLASSW) == 0 && IsWindowVisible(window)) {
        *(HWND*)found = window;
        return FALSE;
    }
    return TRUE;
}

TEST_F(MainWindowTest, RestingThePointerOnOpenShowsItsTip)
{
    ASSERT_EQ(9, (int)SendMessageW(g_shell.toolbarWindow, TB_BUTTONCOUNT, 0, 0));
    RECT button;
    SendMessageW(g_shell.toolbarWindow, TB_GETITEMRECT, 2, (LPARAM)&button);
    POINT centre = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ClientToScreen(g_shell.toolbarWindow, &centre);
    SetForegroundWindow(g_shell.mainWindow);
    SetCursorPos(centre.x + 1, centre.y);
    PumpMessages(100);
    SetCursorPos(centre.x, centre.y);

    HWND tooltip = nullptr;
    PumpUntil(
        [&] {
            EnumThreadWindows(GetCurrentThreadId(), FindVisibleTooltip, (LPARAM)&tooltip);
            return tooltip != nullptr;
        },
        4000);
    ASSERT_NE(nullptr, tooltip) << "no tooltip appeared over the Open button";
    wchar_t text[128] = L"";
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = g_shell.toolbarWindow;
    tool.uId = IDM_OPEN;
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 128, (LPARAM)&tool);
    EXPECT_STREQ(L"開く", text);
    SetCursorPos(5, 700);
}

namespace {

// The toolbar's band, which the board starts below, at 96 DPI.
const int kToolbarBandAt96 = 30;

struct BarSizes {
    SIZE button;
    int statusHeight;
    RECT board;  // in the main window's client
};

// The bar is held at 20 pixels, scaled, unless the system makes a bar with its font higher
// than that (Wine 10's Tahoma does at 96 DPI): a least height can raise a bar, never lower it.
int HeldStatusHeight(UINT dpi)
{
    HWND bar = CreateStatusWindowW(WS_CHILD, L"", g_shell.mainWindow, 99);
    if (g_shell.statusFont)
        SendMessageW(bar, WM_SETFONT, (WPARAM)g_shell.statusFont, FALSE);
    SendMessageW(bar, SB_SETMINHEIGHT, 0, 0);
    SendMessageW(bar, WM_SIZE, 0, 0);
    RECT own;
    GetWindowRect(bar, &own);
    DestroyWindow(bar);
    return std::max(MulDiv(20, dpi, 96), (int)(own.bottom - own.top));
}

BarSizes MeasureBars()
{
    BarSizes bars = {};
    const DWORD button = (DWORD)SendMessageW(g_shell.toolbarWindow, TB_GETBUTTONSIZE, 0, 0);
    bars.button = SIZE{LOWORD(button), HIWORD(button)};
    RECT status;
    GetWindowRect(g_shell.statusWindow, &status);
    bars.statusHeight = status.bottom - status.top;
    GetWindowRect(g_board.window, &bars.board);
    MapWindowPoints(nullptr, g_shell.mainWindow, (POINT*)&bars.board, 2);
    return bars;
}

}  // namespace

TEST_F(MainWindowTest, MinimisingKeepsTheLayoutAndRestoringRedoesIt)
{
    RECT before, after, client;
    GetClientRect(g_board.window, &before);
    ShowWindow(g_shell.mainWindow, SW_MINIMIZE);
    PumpUntilQuiet();
    GetClientRect(g_board.window, &after);
    EXPECT_EQ(before.right, after.right);
    EXPECT_EQ(before.bottom, after.bottom);

    ShowWindow(g_shell.mainWindow, SW_RESTORE);
    PumpUntilQuiet();
    SetWindowPos(g_shell.mainWindow, nullptr, 10, 10, 700, 500, SWP_NOZORDER);
    PumpUntilQuiet();
    GetClientRect(g_shell.mainWindow, &client);
    const BarSizes bars = MeasureBars();
    EXPECT_EQ(kToolbarBandAt96, bars.board.top);
    EXPECT_EQ(client.bottom - bars.statusHeight, bars.board.bottom);
    EXPECT_EQ(client.right, bars.board.right);
}

// The zoom check mark moves in all three menus together.
TEST_F(MainWindowTest, ZoomCheckMarkFollowsTheStepInEveryMenu)
{
    g_view.pictureInfo.biWidth = 400;
    g_view.pictureInfo.biHeight = 300;
    g_game.header.columns = 10;
    g_game.header.rows = 10;
    HMENU menus[] = {GetMenu(g_shell.mainWindow), g_shell.boardMenu, g_shell.boxMenu};
    SelectZoom(60, false);
    for (HMENU menu : menus) {
        EXPECT_TRUE(IsChecked(menu, IDM_ZOOM50));
        EXPECT_FALSE(IsChecked(menu, IDM_ZOOM100));
    }
    EXPECT_EQ(9, g_shell.zoomIndex);
    EXPECT_EQ(280, g_geometry.boardWidth);
    SelectZoom(1000, false);
    for (HMENU menu : menus) {
        EXPECT_TRUE(IsChecked(menu, IDM_ZOOM500));
        EXPECT_FALSE(IsChecked(menu, IDM_ZOOM50));
    }
    ResetView();
}

// The old game's scroll bars go with it, not at the next change of the window's size.
TEST_F(MainWindowTest, EndingAZoomedGameLeavesNoScrollBar)
{
    g_view.pictureInfo.biWidth = 400;
    g_view.pictureInfo.biHeight = 300;
    g_game.header.columns = 10;
    g_game.header.rows = 10;
    g_board.gameActive = 1;
    SelectZoom(500, false);
    PumpUntilQuiet();
    const LONG bars = WS_HSCROLL | WS_VSCROLL;
    ASSERT_EQ(bars, GetWindowLongW(g_board.window, GWL_STYLE) & bars);
    EndGame();
    PumpUntilQuiet();
    EXPECT_EQ(0, GetWindowLongW(g_board.window, GWL_STYLE) & bars);
}

TEST_F(MainWindowTest, WithAGameTheGameItemsAreEnabled)
{
    g_board.gameActive = 1;
    UpdateGameMenuState();
    HMENU menu = GetMenu(g_shell.mainWindow);
    for (UINT item : {IDM_SAVE, IDM_WIZARD, IDM_ZOOM7, IDM_BOXLEFT})
        EXPECT_FALSE(IsGrey(menu, item)) << item;
    EXPECT_FALSE(IsGrey(g_shell.boardMenu, IDM_PUTINTOBOX));
    g_board.gameActive = 0;
}


// Wine never sends WM_DPICHANGED: the test sends it, as Windows does when the window moves
// to a screen of another DPI, and back again.
TEST_F(MainWindowTest, ANewDpiScalesTheBarsAndTheBoardFillsTheSpaceBetween)
{
    ShowWindow(g_shell.mainWindow, SW_RESTORE);
    SetWindowPos(g_shell.mainWindow, nullptr, 10, 10, 400, 300, SWP_NOZORDER);
    PumpUntilQuiet();
    const BarSizes at96 = MeasureBars();
    EXPECT_EQ(kToolbarBandAt96, at96.board.top);
    EXPECT_EQ(HeldStatusHeight(96), at96.statusHeight);
    for (UINT dpi : {144u, 192u, 96u}) {
        SCOPED_TRACE(dpi);
        RECT suggested = {10, 10, 10 + (int)(400 * dpi / 96), 10 + (int)(300 * dpi / 96)};
        SendMessageW(g_shell.mainWindow, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), (LPARAM)&suggested);
        PumpUntilQuiet();
        RECT frame, client;
        GetWindowRect(g_shell.mainWindow, &frame);
        EXPECT_EQ(suggested.right - suggested.left, frame.right - frame.left);
        const BarSizes bars = MeasureBars();
        const double scale = dpi / 96.0;
        EXPECT_NEAR(at96.button.cx * scale, bars.button.cx, 2);
        EXPECT_NEAR(at96.button.cy * scale, bars.button.cy, 2);
        EXPECT_EQ(HeldStatusHeight(dpi), bars.statusHeight);
        GetClientRect(g_shell.mainWindow, &client);
        EXPECT_EQ((int)(kToolbarBandAt96 * scale + 0.5), bars.board.top);
        EXPECT_EQ(client.bottom - bars.statusHeight, bars.board.bottom);
        EXPECT_EQ(client.right, bars.board.right);
    }
}
