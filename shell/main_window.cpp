#include "shell/main_window.h"
#include "board/board_mouse.h"
#include "board/view_state.h"
#include "box/box_state.h"
#include "box/box_window.h"
#include "files/game_file.h"
#include "resources/resource_ids.h"
#include "shell/commands.h"
#include "shell/game_view.h"
#include "shell/menu_state.h"
#include "shell/recovery.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "shell/title.h"
#include "shell/toolbar.h"

static void OnCreate(HWND window)
{
    g_shell.mainWindow = window;
    g_shell.mainDC = GetDC(window);
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
    if (g_shell.gameActive && g_shell.gameModified) {
        int answer = MessageBoxA(g_shell.mainWindow, "終了前にゲームを保存しますか？", "Quiltra",
                                 MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL || (answer == IDYES && !SaveGameFile(false)))
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
        return !(g_shell.gameActive && g_shell.gameModified);
    return MayEnd();
}

// The process ends without leaving its message loop, where the settings are written.
static void OnEndSession(WPARAM ending)
{
    if (ending)
        SaveSettings();
}

static void OnDestroy()
{
    ReleaseDC(g_shell.mainWindow, g_shell.mainDC);
    g_shell.mainDC = nullptr;
    ReleaseViewResources();
    PlayMusic(kMusicSilence);
    PostQuitMessage(0);
}

// One zoom step per wheel message, and never while a button is held on the board or in the box.
static void OnMouseWheel(WPARAM wParam)
{
    if (!g_shell.gameActive || g_shell.mouseMode != kMouseIdle || g_box.boxDragState != kBoxIdle)
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
    case WM_TIMER:
        if (wParam == kRecoveryTimer)
            OnRecoveryTimer();
        return 0;
    }
    // clang-format on
    return DefWindowProcA(window, message, wParam, lParam);
}
