#include "shell/startup.h"
#include "model/random.h"
#include "shell/main_window.h"
#include "shell/recovery.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include <commctrl.h>
#include <time.h>

int RunQuiltra(HINSTANCE instance)
{
    LoadSettings(instance);
    CreateSolidBrushes();

    // The mutex is never closed: its name marks this copy as running until exit.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "Quiltra");
    if (!mutex) {
        // Not ShowFailure: there is no main window to own the box yet.
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
