#include "tests/e2e/driver.h"
#include "tests/e2e/toolbar_help_hook.h"
#include "tests/support/dib32.h"
#include "tests/support/mouse_input.h"
#include <commctrl.h>
#include <shlobj.h>
#include <vector>
#include <wchar.h>

static const wchar_t kSettingsKey[] = L"SOFTWARE\\Varnholt\\Quiltra";

void Pause(DWORD ms)
{
    Sleep(ms);
}

struct FindRequest {
    const wchar_t* className;
    DWORD processId;
    HWND found;
};

static BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    FindRequest* request = (FindRequest*)parameter;
    wchar_t name[64];
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (request->processId && pid != request->processId)
        return TRUE;
    if (!IsWindowVisible(window) || !GetClassNameW(window, name, 64))
        return TRUE;
    if (wcscmp(name, request->className) != 0)
        return TRUE;
    request->found = window;
    return FALSE;
}

HWND WaitForWindow(const wchar_t* className, DWORD processId, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        FindRequest request = {className, processId, nullptr};
        EnumWindows(MatchWindow, (LPARAM)&request);
        if (request.found)
            return request.found;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND FindChild(HWND parent, const wchar_t* className)
{
    return FindWindowExW(parent, nullptr, className, nullptr);
}

HWND WaitForChild(HWND parent, const wchar_t* className, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    HWND child;
    while (!(child = FindChild(parent, className)) && GetTickCount() - start < timeoutMs)
        Sleep(50);
    return child;
}

std::wstring WindowTitle(HWND window)
{
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

static std::wstring RecoveryFolder()
{
    wchar_t appData[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return std::wstring(appData) + L"\\Quiltra";
}

std::wstring RecoveryCopyPath()
{
    return RecoveryFolder() + L"\\recovery.qlt";
}

static void RemoveRecoveryCopies()
{
    WIN32_FIND_DATAW found;
    const std::wstring folder = RecoveryFolder();
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

// Only the wide command line carries every character: a narrow one is the code page's best fit.
static bool StartProcess(Player* player, const std::wstring& exe, const std::wstring& folder,
                         const std::wstring& arguments)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = Quoted(exe);
    if (!arguments.empty())
        commandLine += L" " + arguments;
    return CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &player->process);
}

bool RunSecondCopy(const std::wstring& exe, const std::wstring& arguments, DWORD* exitCode)
{
    Player second;
    const bool left =
        StartProcess(&second, exe, L"", arguments) && WaitForExit(&second, 10000, exitCode);
    EndQuiltra(&second);
    return left;
}

bool StartQuiltra(Player* player, const std::wstring& exe, const std::wstring& folder,
                  RecoveryAtStart recovery, const std::wstring& arguments)
{
    if (recovery == kRemoveRecoveryCopies)
        RemoveRecoveryCopies();
    if (!StartProcess(player, exe, folder, arguments))
        return false;
    // The frame can be visible before its children exist: wait for the board too.
    player->mainWindow = WaitForWindow(L"Quiltra", player->process.dwProcessId, 15000);
    if (!player->mainWindow)
        return false;
    DWORD start = GetTickCount();
    while (!FindChild(player->mainWindow, L"Quiltra Sight") && GetTickCount() - start < 5000)
        Sleep(50);
    WaitForInputIdle(player->process.hProcess, 5000);
    return FindChild(player->mainWindow, L"Quiltra Sight") != nullptr;
}

bool WaitForExit(Player* player, DWORD timeoutMs, DWORD* exitCode)
{
    if (WaitForSingleObject(player->process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(player->process.hProcess, exitCode);
    return true;
}

void EndQuiltra(Player* player)
{
    if (!player->process.hProcess)
        return;
    if (WaitForSingleObject(player->process.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(player->process.hProcess, 1);
        WaitForSingleObject(player->process.hProcess, 5000);
    }
    CloseHandle(player->process.hProcess);
    CloseHandle(player->process.hThread);
    player->process = {};
    player->mainWindow = nullptr;
}

HWND FindDialog(DWORD processId)
{
    FindRequest request = {L"#32770", processId, nullptr};
    EnumWindows(MatchWindow, (LPARAM)&request);
    return request.found;
}

HWND WaitForDialog(DWORD processId, DWORD timeoutMs)
{
    return WaitForWindow(L"#32770", processId, timeoutMs);
}

std::wstring MessageBoxText(HWND dialog)
{
    return WindowTitle(GetDlgItem(dialog, 0xFFFF));
}

bool AnswerDialog(HWND dialog, int id, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        PressButton(dialog, id);
        for (int i = 0; i < 20 && IsWindow(dialog); ++i)
            Sleep(50);
    } while (IsWindow(dialog) && GetTickCount() - start < timeoutMs);
    return !IsWindow(dialog);
}

std::wstring SentText(HWND window)
{
    wchar_t text[1024] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}

static BOOL CALLBACK AddControlText(HWND control, LPARAM texts)
{
    ((std::vector<std::wstring>*)texts)->push_back(SentText(control));
    return TRUE;
}

std::vector<std::wstring> ControlTexts(HWND dialog)
{
    std::vector<std::wstring> texts;
    EnumChildWindows(dialog, AddControlText, (LPARAM)&texts);
    return texts;
}

// Wine's file dialogs have no plain edit field: the name is typed into the edit inside
// the combo box 0x47C.
bool ChooseFile(HWND dialog, const std::wstring& path)
{
    HWND combo = GetDlgItem(dialog, 0x47C);
    HWND edit = combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
    if (!edit) {
        HWND inner = combo ? FindWindowExW(combo, nullptr, L"ComboBox", nullptr) : nullptr;
        edit = inner ? FindWindowExW(inner, nullptr, L"Edit", nullptr) : GetDlgItem(dialog, 0x480);
    }
    if (!edit)
        return false;
    SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)path.c_str());
    PressButton(dialog, IDOK);
    return true;
}

// The list sends no notification for a selection set from outside: send it as a click would.
void ChoosePiecesAcross(HWND settings, int across)
{
    const int kColumnsList = 1000;
    HWND list = GetDlgItem(settings, kColumnsList);
    SendMessageW(list, CB_SETCURSEL, across - 2, 0);
    SendMessageW(settings, WM_COMMAND, MAKEWPARAM(kColumnsList, CBN_SELCHANGE), (LPARAM)list);
}

HWND WaitForDialogTitled(DWORD processId, const std::wstring& title, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        HWND dialog = FindDialog(processId);
        if (dialog && WindowTitle(dialog) == title)
            return dialog;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::wstring WaitForTitle(HWND window, const std::wstring& title, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    std::wstring seen = WindowTitle(window);
    while (seen != title && GetTickCount() - start < timeoutMs) {
        Sleep(50);
        seen = WindowTitle(window);
    }
    return seen;
}

void PostCommand(HWND window, int command)
{
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

std::wstring StatusText(HWND statusBar)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(statusBar, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, processId);
    if (!process)
        return L"(the program's memory cannot be read)";
    const size_t length = LOWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(length + 1, L'\0');
    void* remote =
        VirtualAllocEx(process, nullptr, text.size() * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
    if (remote) {
        SendMessageW(statusBar, SB_GETTEXTW, 0, (LPARAM)remote);
        ReadProcessMemory(process, remote, &text[0], text.size() * sizeof(wchar_t), nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    text.resize(wcslen(text.c_str()));
    return text;
}

// The driving programs and the hook's library lie side by side.
static std::wstring BesideThisProgram(const wchar_t* name)
{
    wchar_t program[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring path = program;
    return path.substr(0, path.rfind(L'\\') + 1) + name;
}

static std::wstring HookLibraryPath()
{
    return BesideThisProgram(kToolbarHelpHookLibrary);
}

bool ShowToolbarHelp(const Player& player, int command)
{
    HMODULE library = LoadLibraryW(HookLibraryPath().c_str());
    HOOKPROC hook =
        library ? (HOOKPROC)(void*)GetProcAddress(library, kToolbarHelpHookProc) : nullptr;
    HHOOK installed = hook
        ? SetWindowsHookExW(WH_CALLWNDPROC, hook, library, player.process.dwThreadId)
        : nullptr;
    if (installed) {
        // A sent message: the hook has run inside the program when the call returns.
        DWORD_PTR result = 0;
        SendMessageTimeoutW(player.mainWindow, RegisterWindowMessageW(kToolbarHelpRequest), command,
                            0, SMTO_ABORTIFHUNG, 5000, &result);
        UnhookWindowsHookEx(installed);
    }
    if (library)
        FreeLibrary(library);
    return installed != nullptr;
}

static UINT ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const UINT dpi = (UINT)GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

DWORD OwnStatusBarAnswer()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const UINT dpi = ScreenDpi();
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    HWND bar = CreateStatusWindowW(WS_CHILD, L"", parent, 1);
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfStatusFont);
    SendMessageW(bar, WM_SETFONT, (WPARAM)font, FALSE);
    SendMessageW(bar, SB_SETMINHEIGHT, 0, 0);
    SendMessageW(bar, WM_SIZE, 0, 0);
    RECT rect = {};
    GetWindowRect(bar, &rect);
    DestroyWindow(parent);
    DeleteObject(font);
    return MAKELONG(rect.bottom - rect.top, dpi);
}

bool MeasureNewStatusBar(NewStatusBar* bar)
{
    Player maker;
    DWORD answer = 0;
    const bool answered =
        StartProcess(&maker, BesideThisProgram(L"qdriver.exe"), L"", L"status-bar") &&
        WaitForExit(&maker, 15000, &answer);
    EndQuiltra(&maker);
    bar->dpi = HIWORD(answer);
    bar->heightWithItsFont = LOWORD(answer);
    // A program that failed exits with the exception's status, which is no answer.
    return answered && bar->dpi >= 48 && bar->dpi <= 960;
}

int HeldStatusBarHeight(const NewStatusBar& bar)
{
    const int designed = MulDiv(kStatusBandAt96, (int)bar.dpi, 96);
    return designed > bar.heightWithItsFont ? designed : bar.heightWithItsFont;
}

bool ShowNotMaximised(HWND mainWindow)
{
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    ShowWindow(mainWindow, SW_RESTORE);
    // On top, as a capture of the screen needs it; drawn afresh, not from the bits of the
    // smaller size the window is restored to first.
    SetWindowPos(mainWindow, HWND_TOP, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOCOPYBITS);
    RECT frame = {};
    DWORD start = GetTickCount();
    do {
        GetWindowRect(mainWindow, &frame);
        if (!IsZoomed(mainWindow) && EqualRect(&frame, &area))
            break;
        Sleep(50);
    } while (GetTickCount() - start < 5000);
    // A sent message is answered after the program has dealt with the new size.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(mainWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    return !IsZoomed(mainWindow) && EqualRect(&frame, &area);
}

// Another process's window DC cannot be read under Wine; the screen's can.
HBITMAP CaptureWindow(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    DWORD* bits = nullptr;
    HBITMAP bitmap = CreateDib32(width, height, &bits);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // A maximised frame reaches past the screen's edges, and Wine copies nothing at all
    // from a source rectangle that does: copy only the part on the screen.
    RECT screenRect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT visible;
    IntersectRect(&visible, &rect, &screenRect);
    BitBlt(memory, visible.left - rect.left, visible.top - rect.top, visible.right - visible.left,
           visible.bottom - visible.top, screen, visible.left, visible.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

COLORREF PixelAt(HBITMAP bitmap, int x, int y)
{
    DIBSECTION dib;
    GetObjectW(bitmap, sizeof dib, &dib);
    const BYTE* row = (const BYTE*)dib.dsBm.bmBits + (size_t)y * dib.dsBm.bmWidthBytes;
    const BYTE* p = row + x * 4;
    return RGB(p[2], p[1], p[0]);
}

bool SaveBitmap(HBITMAP bitmap, const std::wstring& path)
{
    DIBSECTION dib;
    GetObjectW(bitmap, sizeof dib, &dib);
    int width = dib.dsBm.bmWidth, height = dib.dsBm.bmHeight;
    DWORD imageSize = (DWORD)width * height * 4;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    std::string bytes((const char*)&file, sizeof file);
    bytes.append((const char*)&header, sizeof header);
    bytes.append((const char*)dib.dsBm.bmBits, imageSize);
    return WriteFileBytes(path, bytes);
}

static std::wstring UnixPath(const std::wstring& path)
{
    std::wstring result = path.substr(2);
    for (wchar_t& c : result)
        if (c == L'\\')
            c = L'/';
    return result;
}

static bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SaveScreenshot(const std::wstring& pngPath)
{
    if (pngPath.compare(0, 2, L"Z:") != 0 || !Exists(L"Z:\\bin\\sh"))
        return false;
    std::wstring command = L"/bin/sh -c \"import -window root '" + UnixPath(pngPath) + L"'\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(L"Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 15000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    // The X capture runs outside Wine's process tree: wait for its file to appear.
    for (int i = 0; i < 100 && !Exists(pngPath); ++i)
        Sleep(50);
    Sleep(200);
    return Exists(pngPath);
}

std::vector<char> FileBytes(const std::wstring& path)
{
    std::vector<char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char block[65536];
    DWORD got = 0;
    while (ReadFile(file, block, sizeof block, &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), block, block + got);
    CloseHandle(file);
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) &&
        written == bytes.size();
    return CloseHandle(file) && whole;
}

void DeleteSettingsKey()
{
    RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
}

static bool ReadSetting(const wchar_t* name, DWORD expectedType, void* data, DWORD size)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    LONG result = RegQueryValueExW(key, name, nullptr, &type, (BYTE*)data, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == expectedType;
}

bool ReadSettingString(const wchar_t* name, std::wstring* value)
{
    wchar_t text[1024] = L"";
    if (!ReadSetting(name, REG_SZ, text, sizeof text - sizeof(wchar_t)))
        return false;
    *value = text;
    return true;
}

bool ReadSettingNumber(const wchar_t* name, DWORD* value)
{
    return ReadSetting(name, REG_DWORD, value, sizeof *value);
}

void WriteSettingNumber(const wchar_t* name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof value);
    RegCloseKey(key);
}

static void SendMouse(DWORD flags, POINT screen)
{
    SendMouseInput(flags, screen);
    Sleep(30);
}

void MoveMouse(POINT screen)
{
    SendMouse(0, screen);
}

// Wine now and then leaves the pointer where it was after an absolute move; a step beside
// the target first makes the move to the target itself take.
// The X server then reports the moves back; pressing only after they have arrived keeps
// a late report of the step beside from counting as a move with the button down.
static void MoveNextTo(POINT screen)
{
    SendMouse(0, POINT{screen.x + 1, screen.y});
    SendMouse(0, screen);
    Sleep(40);
}

void Click(POINT screen)
{
    MoveNextTo(screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
    SendMouse(MOUSEEVENTF_LEFTUP, screen);
}

void DragMouse(POINT from, POINT to, bool rightButton, int steps)
{
    MoveNextTo(from);
    SendMouse(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, from);
    for (int i = 1; i <= steps; ++i) {
        POINT step = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        SendMouse(0, step);
    }
    SendMouse(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, to);
}

POINT ScreenPoint(HWND window, int clientX, int clientY)
{
    POINT point = {clientX, clientY};
    ClientToScreen(window, &point);
    return point;
}
