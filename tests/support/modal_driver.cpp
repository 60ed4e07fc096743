#include "tests/support/modal_driver.h"
#include <string.h>

static std::function<void(HWND)> s_act;

static BOOL CALLBACK KeepVisibleDialog(HWND window, LPARAM found)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (strcmp(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *(HWND*)found = window;
    return FALSE;
}

static void CALLBACK OnDriverTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), KeepVisibleDialog, (LPARAM)&dialog);
    if (!dialog || !s_act)
        return;
    // Cleared before acting: act may pump messages, and the timer must not act twice.
    std::function<void(HWND)> act = s_act;
    s_act = nullptr;
    act(dialog);
}

void WithModalWindow(const std::function<void()>& run, const std::function<void(HWND)>& act)
{
    s_act = act;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, OnDriverTimer);
    run();
    KillTimer(nullptr, timer);
    s_act = nullptr;
}

std::string MessageBoxTextDuring(const std::function<void()>& run)
{
    std::string text;
    WithModalWindow(run, [&text](HWND box) {
        char buffer[1024] = "";
        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
        text = buffer;
        PressButton(box, IDOK);
    });
    return text;
}

void PressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

std::string WindowText(HWND window)
{
    char buffer[1024] = "";
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}
