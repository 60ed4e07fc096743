// drop_watcher QUILTRA_EXE DROPS: the Windows side of a drop from an X client. It starts
// Quiltra, says where on the screen a file may be dropped, and reports what the player then
// sees, one line each on its standard output, while a native X client does the dropping:
//   ready X Y TITLE      drop now at screen point X,Y on the X window titled TITLE
//   settings C R N       the settings dialog came, offering C across, R down, N pieces;
//                        it is cancelled, and the next "ready" follows
//   dialog TITLE: TEXT   another dialog came instead (a refusal); it is closed
//   none                 no dialog came in time
//   closed CODE          after the last drop the program was closed and ended with CODE
// Exit status 0 when every drop brought the settings dialog and the program ended cleanly.
// Lines are UTF-8: TITLE may hold characters no code page of the bench spells.
#include "tests/e2e/driver.h"
#include "tests/support/windows_path.h"
#include "resources/resource_ids.h"
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>

namespace {

const DWORD kStartMs = 20000;
// The X client finds the window, exchanges the drop and the program reads the picture.
const DWORD kDialogMs = 20000;
const DWORD kCloseMs = 15000;

// One report a line: a message box's own line breaks become " / ".
void Say(const std::wstring& line)
{
    std::wstring text;
    for (wchar_t c : line)
        if (c == L'\n')
            text += L" / ";
        else if (c != L'\r')
            text += c;
    text += L"\n";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0,
                                          nullptr, nullptr);
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &utf8[0], bytes, nullptr,
                        nullptr);
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    // The test reads each line as it comes, to act on it.
    fflush(stdout);
}

bool WaitUntil(bool (*done)(HWND), HWND window, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done(window)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

bool Gone(HWND window)
{
    return !IsWindow(window);
}

bool Enabled(HWND window)
{
    return IsWindowEnabled(window) != FALSE;
}

// The board's middle: a point on the main window that no other window of the program
// covers, since Wine hands the drop to the window under the point and then to its parents.
bool DropPoint(HWND mainWindow, POINT* point)
{
    HWND board = FindWindowExW(mainWindow, nullptr, L"Quiltra Sight", nullptr);
    RECT client;
    if (!board || !GetClientRect(board, &client))
        return false;
    point->x = (client.left + client.right) / 2;
    point->y = (client.top + client.bottom) / 2;
    ClientToScreen(board, point);
    return GetAncestor(WindowFromPoint(*point), GA_ROOT) == mainWindow;
}

bool SayReady(HWND mainWindow)
{
    POINT point;
    if (!WaitUntil(Enabled, mainWindow, kCloseMs) || !DropPoint(mainWindow, &point)) {
        Say(L"error: no point of the main window is free for a drop");
        return false;
    }
    Say(L"ready " + std::to_wstring(point.x) + L" " + std::to_wstring(point.y) + L" " +
        SentText(mainWindow));
    return true;
}

// Closed the way the player closes it: its own button or the dialog's close box.
void Dismiss(HWND dialog, int button)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 (LPARAM)GetDlgItem(dialog, button));
    if (!WaitUntil(Gone, dialog, 5000))
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    WaitUntil(Gone, dialog, 5000);
}

bool WatchOneDrop(DWORD process)
{
    HWND dialog = WaitForWindow(L"#32770", process, kDialogMs);
    if (!dialog) {
        Say(L"none");
        return false;
    }
    const std::wstring title = SentText(dialog);
    if (title != L"設定") {
        Say(L"dialog " + title + L": " + SentText(GetDlgItem(dialog, 0xFFFF)));
        Dismiss(dialog, IDOK);
        return false;
    }
    Say(L"settings " + SentText(GetDlgItem(dialog, IDC_COLUMNS)) + L" " +
        SentText(GetDlgItem(dialog, IDC_ROWS)) + L" " + SentText(GetDlgItem(dialog, IDC_PIECECOUNT)));
    Dismiss(dialog, IDCANCEL);
    return !IsWindow(dialog);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3 || _wtoi(argv[2]) < 1) {
        fprintf(stderr, "usage: drop_watcher QUILTRA_EXE DROPS\n");
        return 2;
    }
    // Screen points in pixels, as the X server counts them, whatever the system's DPI.
    SetProcessDPIAware();
    const std::wstring exe = WindowsPath(argv[1]);
    const int drops = _wtoi(argv[2]);

    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION quiltra = {};
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &quiltra)) {
        Say(L"error: Quiltra did not start (" + std::to_wstring(GetLastError()) + L")");
        return 1;
    }
    bool clean = true;
    HWND mainWindow = WaitForWindow(L"Quiltra", quiltra.dwProcessId, kStartMs);
    // The frame can be shown before the board inside it is made.
    const DWORD start = GetTickCount();
    while (mainWindow && !FindWindowExW(mainWindow, nullptr, L"Quiltra Sight", nullptr) &&
           GetTickCount() - start < kStartMs)
        Sleep(50);
    WaitForInputIdle(quiltra.hProcess, kStartMs);
    if (!mainWindow) {
        Say(L"error: Quiltra showed no main window");
        clean = false;
    }
    for (int drop = 0; clean && drop < drops; ++drop)
        clean = SayReady(mainWindow) && WatchOneDrop(quiltra.dwProcessId);

    if (clean) {
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        DWORD code = 0;
        if (WaitForSingleObject(quiltra.hProcess, kCloseMs) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(quiltra.hProcess, &code)) {
            Say(L"closed " + std::to_wstring(code));
            clean = code == 0;
        } else {
            HWND question = WaitForWindow(L"#32770", quiltra.dwProcessId, 0);
            Say(question
                    ? L"dialog " + SentText(question) + L": " + SentText(GetDlgItem(question, 0xFFFF))
                    : std::wstring(L"error: Quiltra did not end"));
            clean = false;
        }
    }
    if (WaitForSingleObject(quiltra.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(quiltra.hProcess, 1);
    CloseHandle(quiltra.hThread);
    CloseHandle(quiltra.hProcess);
    return clean ? 0 : 1;
}
