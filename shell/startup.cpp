#include "shell/startup.h"
#include "files/path_parts.h"
#include "model/random.h"
#include "shell/given_file.h"
#include "shell/main_window.h"
#include "shell/recovery.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "win/failure_box.h"
#include <commctrl.h>
#include <time.h>

// The file named on the command line, made whole here: a copy already running has a current
// folder of its own. Empty when none is named; a path longer than the program keeps is
// refused with its path, as the player gave it.
static void TakeGivenPath(const wchar_t* commandLine, wchar_t* given)
{
    given[0] = 0;
    wchar_t argument[kPathCapacity];
    const bool fits = CopyFirstArgument(commandLine, argument, kPathCapacity);
    const DWORD length = fits && argument[0]
        ? GetFullPathNameW(argument, kPathCapacity, given, nullptr)
        : 0;
    if (length >= (DWORD)kPathCapacity || !fits) {
        given[0] = 0;
        const wchar_t* start = commandLine + wcsspn(commandLine, L" \t");
        ShowFailure(nullptr, kPathTooLongText, start, nullptr, nullptr);
    }
}

int RunQuiltra(HINSTANCE instance, const wchar_t* commandLine)
{
    wchar_t given[kPathCapacity];
    TakeGivenPath(commandLine, given);
    LoadSettings(instance);
    CreateSolidBrushes();

    // The mutex is never closed: its name marks this copy as running until exit.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, L"Quiltra");
    if (!mutex) {
        // Not ShowFailure: there is no main window to own the box yet.
        MessageBoxW(nullptr, L"ミューテックス作成に失敗しました。", L"Quiltra", MB_ICONERROR);
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
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    SaveSettings();
    DeleteSolidBrushes();
    return (int)msg.wParam;
}
