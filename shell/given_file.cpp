#include "shell/given_file.h"
#include "shell/commands.h"
#include "shell/game_view.h"
#include "shell/main_window.h"
#include "shell/shell_state.h"
#include <initializer_list>
#include <stdio.h>
#include <string.h>

// Marks a WM_COPYDATA as a path from a second start of this program ("QLT" and a version).
static const ULONG_PTR kHandedOverPath = 0x514C5401;
static const UINT kRetryMs = 500;

static char s_waitingPath[MAX_PATH];

void OfferGivenFile(const char* path)
{
    snprintf(s_waitingPath, sizeof s_waitingPath, "%s", path);
    PostMessageA(g_shell.mainWindow, kOpenGivenFileMessage, 0, 0);
}

// Under a dialog of the program a second game could start inside the first's question, a
// drag would lose its pieces, and the system's own loops (a menu, moving or sizing the
// window, a scroll bar's thumb) would have the game change under them: the file waits.
static bool IsBusy()
{
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetCurrentThreadId(), &thread);
    return !IsWindowEnabled(g_shell.mainWindow) || IsButtonHeld() || GetCapture() ||
        (thread.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_INMOVESIZE));
}

void OpenWaitingFile()
{
    KillTimer(g_shell.mainWindow, kGivenFileTimer);
    if (!s_waitingPath[0])
        return;
    if (IsBusy()) {
        SetTimer(g_shell.mainWindow, kGivenFileTimer, kRetryMs, nullptr);
        return;
    }
    char path[MAX_PATH];
    memcpy(path, s_waitingPath, sizeof path);
    s_waitingPath[0] = 0;
    if (IsIconic(g_shell.mainWindow))
        ShowWindow(g_shell.mainWindow, SW_RESTORE);
    SetForegroundWindow(g_shell.mainWindow);
    OpenGivenFile(path);
}

void OnDropFiles(HDROP drop)
{
    char path[MAX_PATH];
    const UINT length = DragQueryFileA(drop, 0, path, sizeof path);
    DragFinish(drop);
    if (length > 0 && length < sizeof path)
        OfferGivenFile(path);
}

// The bytes come from another process: only a terminated path of a sane length is taken.
bool OnCopyData(const COPYDATASTRUCT* data)
{
    if (data->dwData != kHandedOverPath || data->cbData < 2 || data->cbData > MAX_PATH)
        return false;
    const char* path = (const char*)data->lpData;
    if (path[data->cbData - 1] != 0)
        return false;
    OfferGivenFile(path);
    return true;
}

// A program run as administrator takes these from the player's ordinary programs too
// (Explorer's drop and a second start): the system filters them out otherwise.
void AcceptGivenFiles(HWND window)
{
    DragAcceptFiles(window, TRUE);
    typedef BOOL(WINAPI * Filter)(HWND, UINT, DWORD, void*);
    const Filter allow = (Filter)(void*)GetProcAddress(GetModuleHandleA("user32.dll"),
                                                       "ChangeWindowMessageFilterEx");
    const UINT kCopyGlobalData = 0x0049;  // how a drop's data crosses
    if (allow)
        for (UINT message : {(UINT)WM_DROPFILES, (UINT)WM_COPYDATA, kCopyGlobalData})
            allow(window, message, MSGFLT_ALLOW, nullptr);
}

bool HandOverToRunningCopy(const char* path)
{
    // The running copy may have been started a moment ago and still be making its window.
    HWND running = nullptr;
    for (int tries = 0; tries < 50 && !running; ++tries) {
        running = FindWindowA(kMainWindowClass, nullptr);
        if (!running)
            Sleep(100);
    }
    if (!running)
        return false;
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    // Only the foreground's program may give the foreground away.
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data = {kHandedOverPath, (DWORD)strlen(path) + 1, (void*)path};
    DWORD_PTR taken = 0;
    return SendMessageTimeoutA(running, WM_COPYDATA, 0, (LPARAM)&data, SMTO_ABORTIFHUNG, 5000,
                               &taken) &&
        taken;
}
