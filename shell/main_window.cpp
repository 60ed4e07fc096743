#include "shell/main_window.h"
#include "board/board_state.h"
#include "board/view_state.h"
#include "box/box_state.h"
#include "files/game_file.h"
#include "resources/resource_ids.h"
#include "shell/commands.h"
#include "shell/game_view.h"
#include "shell/given_file.h"
#include "shell/menu_state.h"
#include "shell/recovery.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "shell/title.h"
#include "shell/toolbar.h"
#include "win/cursors.h"
#include <windowsx.h>

static void OnCreate(HWND window)
{
    g_shell.mainWindow = window;
    AcceptGivenFiles(window);
    CreateChildWindows();
    ClearGame();
    ClearBoxState();
    UpdateTitle();
    UpdateGameMenuState();
    UpdateOptionChecks();
    UpdateBoxMenuChecks();
}

// Asks before an unsaved game is dropped; false when the player cancels or the save fails.
static bool MayEnd()
{
    if (g_board.gameActive && g_shell.gameModified) {
        int answer = MessageBoxW(g_shell.mainWindow, L"終了前にゲームを保存しますか？", L"Quiltra",
                                 MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL || (answer == IDYES && !SaveGameFile(g_shell.mainWindow, false)))
            return false;
    }
    // Saved, dropped by the player or never changed: nothing is left to recover.
    DiscardRecoveryCopy();
    return true;
}

static void OnClose()
{
    // A close that arrives while a modal dialog owns the window would pull the window
    // out from under the dialog: the dialog has to be answered first.
    if (!IsWindowEnabled(g_shell.mainWindow))
        return;
    if (MayEnd())
        DestroyWindow(g_shell.mainWindow);
}

// Logging off or shutting down ends the program without WM_CLOSE: the player is asked as
// at exit, and while a dialog is still open an unsaved game holds the session up.
static LRESULT OnQueryEndSession()
{
    if (!IsWindowEnabled(g_shell.mainWindow))
        return !(g_board.gameActive && g_shell.gameModified);
    return MayEnd();
}

// The process ends without leaving its message loop, where the settings are written.
static void OnEndSession(WPARAM ending)
{
    if (ending)
        SaveSettings();
}

// Wine never sends this, and takes the program's size in pixels from the start: the test
// sends it itself.
static void OnDpiChanged(UINT dpi, const RECT* suggested)
{
    RebuildBarsForDpi(dpi);
    SetWindowPos(g_shell.mainWindow, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutChildren();
}

static void OnDestroy()
{
    DeleteStatusFont();
    ReleaseViewResources();
    PlayMusic(kMusicSilence);
    PostQuitMessage(0);
}

// The board's and the box's menus open here, owned by this window, so that the chosen item
// reaches RunCommand as any other command does. A request from the keyboard (no point), from
// another window, or from a caption or a scroll bar (the system's own right click there) is
// the system's.
static bool OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    HWND source = (HWND)wParam;
    HMENU menu = nullptr;
    if (source && source == g_board.window)
        menu = g_shell.boardMenu;
    else if (source && source == g_box.boxWindow)
        menu = g_shell.boxMenu;
    if (!menu || lParam == -1)
        return false;
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, inside = point;
    RECT client;
    GetClientRect(source, &client);
    ScreenToClient(source, &inside);
    if (!PtInRect(&client, inside))
        return false;
    TrackPopupMenuEx(GetSubMenu(menu, 0), 0, point.x, point.y, g_shell.mainWindow, nullptr);
    return true;
}

// One zoom step per wheel message, and never while a button is held.
static void OnMouseWheel(WPARAM wParam)
{
    if (!g_board.gameActive || IsButtonHeld())
        return;
    RunCommand((short)HIWORD(wParam) > 0 ? IDM_ENLARGE : IDM_REDUCE);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // clang-format off
    switch (message) {
    case WM_CREATE:     OnCreate(window); return 0;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED)
            LayoutChildren();
        return 0;
    case WM_CLOSE:      OnClose(); return 0;
    case WM_DESTROY:    OnDestroy(); return 0;
    case WM_QUERYENDSESSION: return OnQueryEndSession();
    case WM_ENDSESSION: OnEndSession(wParam); return 0;
    case WM_NOTIFY:     HandleToolbarNotify((NMHDR*)lParam); return 0;
    case WM_COMMAND:    RunCommand(LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(wParam); return 0;
    case WM_CONTEXTMENU:
        if (OnContextMenu(wParam, lParam))
            return 0;
        break;
    case WM_DPICHANGED: OnDpiChanged(LOWORD(wParam), (const RECT*)lParam); return 0;
    case WM_DROPFILES:  OnDropFiles((HDROP)wParam); return 0;
    case WM_COPYDATA:   return OnCopyData((const COPYDATASTRUCT*)lParam);
    case kOpenGivenFileMessage: OpenWaitingFile(); return 0;
    case WM_TIMER:
        if (wParam == kRecoveryTimer)
            OnRecoveryTimer();
        else if (wParam == kGivenFileTimer)
            OpenWaitingFile();
        return 0;
    }
    // clang-format on
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterMainWindowClass()
{
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = g_shell.instance;
    wc.hIcon = LoadIconW(g_shell.instance, MAKEINTRESOURCEW(IDI_QUILTRA));
    wc.hCursor = g_cursors.arrow;
    wc.hbrBackground = g_brushes.grey;
    wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAINMENU);
    wc.lpszClassName = kMainWindowClass;
    return RegisterClassW(&wc) != 0;
}

HWND CreateMainWindow()
{
    return CreateWindowExW(0, kMainWindowClass, L"Quiltra", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr, g_shell.instance,
                           nullptr);
}
