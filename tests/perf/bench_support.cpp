#include "tests/perf/bench_support.h"
#include "tests/support/windows_path.h"
#include "board/view_state.h"
#include "box/box_state.h"
#include "model/piece_groups.h"
#include "shell/main_window.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "win/image_library.h"
#include <windows.h>
#include <algorithm>
#include <commctrl.h>
#include <shellapi.h>
#include <vector>

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return count.QuadPart * 1000.0 / frequency.QuadPart;
}

static double MedianOf(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double Median(int runs, int repeat, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        double start = Now();
        for (int i = 0; i < repeat; ++i)
            work();
        GdiFlush();
        times.push_back((Now() - start) / repeat);
    }
    return MedianOf(times);
}

double MedianAfter(int runs, const std::function<void()>& prepare,
                   const std::function<void()>& step)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        prepare();
        GdiFlush();
        double start = Now();
        step();
        GdiFlush();
        times.push_back(Now() - start);
    }
    return MedianOf(times);
}

void DispatchPendingMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::wstring LastArgumentPath()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const std::wstring path = WindowsPath(arguments[count - 1]);
    LocalFree(arguments);
    return path;
}

void OpenBenchWindow()
{
    LoadSettings(GetModuleHandleW(nullptr));
    g_shell.OptSound = 0;
    // The settings are saved when the window closes: whatever a benchmark turned on must not
    // carry over into the next one's figures.
    g_box.edgesOnly = 0;
    g_groups.joining = 0;
    CreateSolidBrushes();
    InitCommonControls();
    RegisterMainWindowClass();
    CreateMainWindow();
    ShowWindow(g_shell.mainWindow, SW_SHOWMAXIMIZED);
    UpdateWindow(g_shell.mainWindow);
    DispatchPendingMessages();
}

bool LoadPhoto(const wchar_t* path)
{
    PictureHandle picture = LoadJpegPicture(path);
    if (!picture)
        return false;
    g_view.pictureDib = picture;
    GetPictureHeader(picture, &g_view.pictureInfo);
    return true;
}
