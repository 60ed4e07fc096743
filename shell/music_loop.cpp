#include "shell/music_loop.h"
#include "model/shell_calls.h"
#include "shell/shell_state.h"
#include "win/mci_send.h"
#include <mmsystem.h>

static LRESULT CALLBACK MusicLoopProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != MM_MCINOTIFY)
        return DefWindowProcW(window, message, wParam, lParam);
    // A stop, a close or a newer play also notify (aborted, superseded): only a tune that
    // ran to its end while the loop is still wanted starts over.
    if (wParam == MCI_NOTIFY_SUCCESSFUL && g_shell.musicMode == kMusicBackground)
        SendMciCommand(L"play bgm from 0 notify", window);
    return 0;
}

// Made on first use, so a program whose MCI can repeat never creates it.
HWND MusicLoopWindow()
{
    static HWND window;
    if (!window) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = MusicLoopProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QuiltraMusicLoop";
        RegisterClassW(&windowClass);
        window = CreateWindowW(L"QuiltraMusicLoop", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
    }
    return window;
}
