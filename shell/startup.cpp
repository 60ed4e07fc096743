#include "shell/startup.h"
#include "model/random.h"
#include "resources/resource_ids.h"
#include "shell/main_window.h"
#include "shell/recovery.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include <commctrl.h>
#include <time.h>

bool RegisterMainWindowClass()
{
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = g_shell.instance;
    wc.hIcon = LoadIconA(g_shell.instance, MAKEINTRESOURCEA(IDI_QUILTRA));
    wc.hCursor = g_shell.arrowCursor;
    wc.hbrBackground = g_brushes.grey;
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    wc.lpszClassName = "Quiltra";
    return RegisterClassA(&wc) != 0;
}

HWND CreateMainWindow()
{
    return CreateWindowExA(0, "Quiltra", "Quiltra", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                           CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr, g_shell.instance,
                           nullptr);
}

int RunQuiltra(HINSTANCE instance)
{
    LoadSettings(instance);
    CreateSolidBrushes();

    // The mutex is never closed: its name marks this copy as running until exit.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "Quiltra");
    if (!mutex) {
        // Not ReportFailure: there is no main window to own the box yet.
        MessageBoxA(nullptr, "ミューテックス作成に失敗しました。", "Quiltra", MB_ICONERROR);
        return 1;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;
    ReleaseMutex(mutex);

    InitCommonControls();
    SeedRandom((uint32_t)time(nullptr));
    // Without its window the program would wait in its loop unseen, keeping the name taken.
    if (!RegisterMainWindowClass() || !CreateMainWindow()) {
        DeleteSolidBrushes();
        return 1;
    }
    ShowWindow(g_shell.mainWindow, SW_SHOWMAXIMIZED);
    UpdateWindow(g_shell.mainWindow);
    OfferRecoveryCopy();

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    SaveSettings();
    DeleteSolidBrushes();
    return (int)msg.wParam;
}
