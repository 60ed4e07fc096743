#include "tests/e2e/driver.h"
#include "tests/support/dib32.h"
#include "tests/support/mouse_input.h"
#include <shlobj.h>
#include <stdio.h>
#include <vector>

static const char kSettingsKey[] = "SOFTWARE\\Varnholt\\Quiltra";

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

std::wstring WindowTitle(HWND window)
{
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

static std::string RecoveryFolder()
{
    char appData[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return std::string(appData) + "\\Quiltra";
}

std::string RecoveryCopyPath()
{
    return RecoveryFolder() + "\\recovery.qlt";
}

static void RemoveRecoveryCopies()
{
    WIN32_FIND_DATAA found;
    std::string folder = RecoveryFolder();
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

static bool StartProcess(Player* player, const std::string& exe, const std::string& folder,
                         const std::string& arguments)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &player->process);
}

bool RunSecondCopy(const std::string& exe, const std::string& arguments, DWORD* exitCode)
{
    Player second;
    const bool left =
        StartProcess(&second, exe, "", arguments) && WaitForExit(&second, 10000, exitCode);
    EndQuiltra(&second);
    return left;
}

bool StartQuiltra(Player* player, const std::string& exe, const std::string& folder,
                  RecoveryAtStart recovery, const std::string& arguments)
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

// Wine's file dialogs have no plain edit field: the name is typed into the edit inside
// the combo box 0x47C.
bool ChooseFile(HWND dialog, const std::string& path)
{
    HWND combo = GetDlgItem(dialog, 0x47C);
    HWND edit = combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
    if (!edit) {
        HWND inner = combo ? FindWindowExW(combo, nullptr, L"ComboBox", nullptr) : nullptr;
        edit = inner ? FindWindowExW(inner, nullptr, L"Edit", nullptr) : GetDlgItem(dialog, 0x480);
    }
    if (!edit)
        return false;
    SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)path.c_str());
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

bool SaveBitmap(HBITMAP bitmap, const std::string& path)
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
    FILE* out = fopen(path.c_str(), "wb");
    if (!out)
        return false;
    fwrite(&file, sizeof file, 1, out);
    fwrite(&header, sizeof header, 1, out);
    fwrite(dib.dsBm.bmBits, 1, imageSize, out);
    return fclose(out) == 0;
}

static std::string UnixPath(const std::string& path)
{
    std::string result = path.substr(2);
    for (char& c : result)
        if (c == '\\')
            c = '/';
    return result;
}

bool SaveScreenshot(const std::string& pngPath)
{
    if (pngPath.compare(0, 2, "Z:") != 0 ||
        GetFileAttributesA("Z:\\bin\\sh") == INVALID_FILE_ATTRIBUTES)
        return false;
    std::string command = "/bin/sh -c \"import -window root '" + UnixPath(pngPath) + "'\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA("Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 15000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    // The X capture runs outside Wine's process tree: wait for its file to appear.
    for (int i = 0; i < 100 && GetFileAttributesA(pngPath.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    Sleep(200);
    return GetFileAttributesA(pngPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void DeleteSettingsKey()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
}

static bool ReadSetting(const char* name, DWORD expectedType, void* data, DWORD size)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, name, nullptr, &type, (BYTE*)data, &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == expectedType;
}

bool ReadSettingString(const char* name, std::string* value)
{
    char text[1024] = "";
    if (!ReadSetting(name, REG_SZ, text, sizeof text - 1))
        return false;
    *value = text;
    return true;
}

bool ReadSettingNumber(const char* name, DWORD* value)
{
    return ReadSetting(name, REG_DWORD, value, sizeof *value);
}

void WriteSettingNumber(const char* name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof value);
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
