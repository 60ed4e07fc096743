#include "tests/e2e/toolbar_help_hook.h"
#include <windows.h>
#include <commctrl.h>

// Runs inside Quiltra, before its main window sees the request: the notification is sent
// from the program's own thread, with the toolbar's tooltip as its sender.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    ToolbarHelpHook(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = (const CWPSTRUCT*)lParam;
    if (code == HC_ACTION && call->message == RegisterWindowMessageW(kToolbarHelpRequest)) {
        HWND toolbar = FindWindowExW(call->hwnd, nullptr, TOOLBARCLASSNAMEW, nullptr);
        NMHDR shown = {};
        shown.hwndFrom = (HWND)SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0);
        shown.idFrom = call->wParam;
        shown.code = TTN_SHOW;
        SendMessageW(call->hwnd, WM_NOTIFY, 0, (LPARAM)&shown);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
