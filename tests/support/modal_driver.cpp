#include "tests/support/modal_driver.h"
#include <gtest/gtest.h>
#include <wchar.h>
#include <vector>

// The acts still to come, in order, and the window the last one was handed: it may still be
// on screen, closing, when the timer fires again.
static std::vector<std::function<void(HWND)>> s_acts;
static HWND s_lastActed;

static BOOL CALLBACK KeepVisibleDialog(HWND window, LPARAM found)
{
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (wcscmp(className, L"#32770") != 0 || !IsWindowVisible(window))
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

std::wstring MessageBoxTextDuring(const std::function<void()>& run)
{
    std::wstring text;
    WithModalWindowIfAny(run, [&text](HWND box) {
        text = MessageText(box);
        PressButton(box, IDOK);
    });
    return text;
}

std::wstring MessageText(HWND box)
{
    wchar_t buffer[1024] = L"";
    GetDlgItemTextW(box, 0xFFFF, buffer, 1024);
    return buffer;
}

void PressButton(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

std::wstring WindowText(HWND window)
{
    wchar_t buffer[1024] = L"";
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}
