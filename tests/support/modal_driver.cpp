#include "tests/support/modal_driver.h"
#include <gtest/gtest.h>
#include <string.h>
#include <vector>

// The acts still to come, in order, and the window the last one was handed: it may still be
// on screen, closing, when the timer fires again.
static std::vector<std::function<void(HWND)>> s_acts;
static HWND s_lastActed;

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
    if (!dialog || dialog == s_lastActed || s_acts.empty())
        return;
    // Taken before acting: act may pump messages, and the timer must not act twice.
    std::function<void(HWND)> act = s_acts.front();
    s_acts.erase(s_acts.begin());
    s_lastActed = dialog;
    act(dialog);
}

// The number of acts left over: windows that never came.
static size_t RunActing(const std::function<void()>& run,
                        const std::vector<std::function<void(HWND)>>& acts)
{
    s_acts = acts;
    s_lastActed = nullptr;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, OnDriverTimer);
    run();
    KillTimer(nullptr, timer);
    const size_t left = s_acts.size();
    s_acts.clear();
    s_lastActed = nullptr;
    return left;
}

void WithModalWindows(const std::function<void()>& run,
                      const std::vector<std::function<void(HWND)>>& acts)
{
    if (const size_t left = RunActing(run, acts))
        ADD_FAILURE() << left << " of the expected modal windows never came";
}

void WithModalWindow(const std::function<void()>& run, const std::function<void(HWND)>& act)
{
    WithModalWindows(run, {act});
}

void WithModalWindowIfAny(const std::function<void()>& run, const std::function<void(HWND)>& act)
{
    RunActing(run, {act});
}

std::string MessageBoxTextDuring(const std::function<void()>& run)
{
    std::string text;
    WithModalWindowIfAny(run, [&text](HWND box) {
        text = MessageText(box);
        PressButton(box, IDOK);
    });
    return text;
}

std::string MessageText(HWND box)
{
    char buffer[1024] = "";
    GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
    return buffer;
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
