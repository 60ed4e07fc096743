#include "shell/given_file.h"
#include "shell/commands.h"
#include "shell/game_view.h"
#include "shell/main_window.h"
#include "files/path_parts.h"
#include "shell/shell_state.h"
#include "win/failure_box.h"
#include <initializer_list>
#include <string.h>
#include <string>
#include <wchar.h>

// Marks a WM_COPYDATA as a path from a second start of this program ("QLT" and a version):
// UTF-16 now; the code page's bytes from the builds before.
static const ULONG_PTR kHandedOverPath = 0x514C5402;
static const ULONG_PTR kHandedOverCodePagePath = 0x514C5401;
static const UINT kRetryMs = 500;

static wchar_t s_waitingPath[kPathCapacity];

void OfferGivenFile(const wchar_t* path)
{
    if (!CopyWholePath(path, s_waitingPath, kPathCapacity)) {
        ShowFailure(g_shell.mainWindow, kPathTooLongText, path, nullptr, nullptr);
        return;
    }
    PostMessageW(g_shell.mainWindow, kOpenGivenFileMessage, 0, 0);
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
    wchar_t path[kPathCapacity];
    memcpy(path, s_waitingPath, sizeof path);
    s_waitingPath[0] = 0;
    if (IsIconic(g_shell.mainWindow))
        ShowWindow(g_shell.mainWindow, SW_RESTORE);
    SetForegroundWindow(g_shell.mainWindow);
    OpenGivenFile(path);
}

// A path too long for the program is read whole all the same, so that the player is told
// which file was refused.
void OnDropFiles(HDROP drop)
{
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    if (length > 0)
        DragQueryFileW(drop, 0, &path[0], length + 1);
    path.resize(length);
    DragFinish(drop);
    if (length > 0)
        OfferGivenFile(path.c_str());
}

// The bytes come from another process: only a terminated path of a sane length is taken.
bool OnCopyData(const COPYDATASTRUCT* data)
{
    if (data->dwData == kHandedOverPath) {
        const size_t units = data->cbData / sizeof(wchar_t);
        const wchar_t* path = (const wchar_t*)data->lpData;
        if (data->cbData % sizeof(wchar_t) || units < 2 || units > kPathCapacity ||
            path[units - 1] != 0)
            return false;
        OfferGivenFile(path);
        return true;
    }
    if (data->dwData == kHandedOverCodePagePath) {
        const char* bytes = (const char*)data->lpData;
        wchar_t path[kPathCapacity];
        if (data->cbData < 2 || data->cbData > MAX_PATH || bytes[data->cbData - 1] != 0 ||
            !MultiByteToWideChar(CP_ACP, 0, bytes, -1, path, kPathCapacity))
            return false;
        OfferGivenFile(path);
        return true;
    }
    return false;
}

// A program run as administrator takes these from the player's ordinary programs too
// (Explorer's drop and a second start): the system filters them out otherwise.
void AcceptGivenFiles(HWND window)
{
    DragAcceptFiles(window, TRUE);
    typedef BOOL(WINAPI * Filter)(HWND, UINT, DWORD, void*);
    const Filter allow = (Filter)(void*)GetProcAddress(GetModuleHandleW(L"user32.dll"),
                                                       "ChangeWindowMessageFilterEx");
    const UINT kCopyGlobalData = 0x0049;  // how a drop's data crosses
    if (allow)
        for (UINT message : {(UINT)WM_DROPFILES, (UINT)WM_COPYDATA, kCopyGlobalData})
            allow(window, message, MSGFLT_ALLOW, nullptr);
}

bool HandOverToRunningCopy(const wchar_t* path)
{
    // The running copy may have been started a moment ago and still be making its window.
    HWND running = nullptr;
    for (int tries = 0; tries < 50 && !running; ++tries) {
        running = FindWindowW(kMainWindowClass, nullptr);
        if (!running)
            Sleep(100);
    }
    if (!running)
        return false;
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    // Only the foreground's program may give the foreground away.
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data = {kHandedOverPath, (DWORD)((wcslen(path) + 1) * sizeof(wchar_t)),
                           (void*)path};
    DWORD_PTR taken = 0;
    return SendMessageTimeoutW(running, WM_COPYDATA, 0, (LPARAM)&data, SMTO_ABORTIFHUNG, 5000,
                               &taken) &&
        taken;
}
