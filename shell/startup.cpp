#include "shell/startup.h"
#include "files/path_parts.h"
#include "model/random.h"
#include "shell/given_file.h"
#include "shell/main_window.h"
#include "shell/recovery.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include <commctrl.h>
#include <time.h>

int RunQuiltra(HINSTANCE instance, const char* commandLine)
{
    // Made whole here: a copy already running has a current folder of its own.
    char argument[MAX_PATH], given[MAX_PATH] = "";
    CopyFirstArgument(commandLine, argument, sizeof argument);
    if (argument[0] && !GetFullPathNameA(argument, sizeof given, given, nullptr))
        given[0] = 0;
    LoadSettings(instance);
    CreateSolidBrushes();

    // The mutex is never closed: its name marks this copy as running until exit.
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "Quiltra");
    if (!mutex) {
        // Not ShowFailure: there is no main window to own the box yet.
        MessageBoxA(nullptr, "ミューテックス作成に失敗しました。", "Quiltra", MB_ICONERROR);
        return 1;
    }
    // A second start leaves the first to play, with the file it was given, if any.
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (given[0])
            HandOverToRunningCopy(given);
        return 0;
    }
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
    if (given[0])
        OfferGivenFile(given);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    SaveSettings();
    DeleteSolidBrushes();
    return (int)msg.wParam;
}
