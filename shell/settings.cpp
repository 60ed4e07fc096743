#include "shell/settings.h"
#include "board/board_state.h"
#include "box/box_state.h"
#include "model/piece_groups.h"
#include "files/file_names.h"
#include "resources/resource_ids.h"
#include "shell/shell_state.h"
#include "win/cursors.h"
#include <string.h>
#include <wchar.h>

static const wchar_t kSettingsKey[] = L"SOFTWARE\\Varnholt\\Quiltra";

// A REG_SZ may be stored without its terminating zero: the buffer has a unit more than is
// read, kept zero. A folder too long for the program is not taken at all, rather than cut
// to another folder.
static void ReadFolder(HKEY key, const wchar_t* name, wchar_t* folder)
{
    wchar_t value[kPathCapacity + 1] = {};
    DWORD size = kPathCapacity * sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, (BYTE*)value, &size) == ERROR_SUCCESS &&
        type == REG_SZ && wcslen(value) < (size_t)kPathCapacity)
        wcscpy(folder, value);
}

static void ReadNumber(HKEY key, const wchar_t* name, int* number)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    // A short text is four bytes in UTF-16 too: only a number is taken as one.
    if (RegQueryValueExW(key, name, nullptr, &type, (BYTE*)&value, &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof value)
        *number = (int)value;
}

void LoadSettings(HINSTANCE instance)
{
    memset(&g_shell, 0, sizeof g_shell);
    g_shell.instance = instance;
    memset(&g_board, 0, sizeof g_board);
    LoadCursors(instance);
    g_shell.boardMenu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_BOARDMENU));
    g_shell.boxMenu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_BOXMENU));

    if (GetCurrentDirectoryW(kPathCapacity, g_folders.PicDir) >= (DWORD)kPathCapacity)
        g_folders.PicDir[0] = 0;
    wcscpy(g_folders.GameDir, g_folders.PicDir);
    g_board.OptGoalBorder = 1;
    g_board.OptGrayBorder = 1;
    g_shell.OptSound = 1;
    g_box.boxPosition = kBoxAtBottom;
    g_box.goalPictureShown = 0;
    g_box.edgesOnly = 0;
    g_groups.joining = 0;

    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_CREATE_SUB_KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    ReadFolder(key, L"PicDir", g_folders.PicDir);
    ReadFolder(key, L"GameDir", g_folders.GameDir);
    ReadNumber(key, L"BoxPos", &g_box.boxPosition);
    ReadNumber(key, L"OptSound", &g_shell.OptSound);
    ReadNumber(key, L"OptGrayBorder", &g_board.OptGrayBorder);
    ReadNumber(key, L"OptGoalBorder", &g_board.OptGoalBorder);
    ReadNumber(key, L"BoxEdgesOnly", &g_box.edgesOnly);
    ReadNumber(key, L"OptJoinPieces", &g_groups.joining);
    RegCloseKey(key);
}

// The same REG_SZ values as ever: a build that reads them in the code page still finds
// every folder that the code page spells.
static void WriteFolder(HKEY key, const wchar_t* name, const wchar_t* folder)
{
    RegSetValueExW(key, name, 0, REG_SZ, (const BYTE*)folder,
                   (DWORD)((wcslen(folder) + 1) * sizeof(wchar_t)));
}

static void WriteNumber(HKEY key, const wchar_t* name, int number)
{
    DWORD value = (DWORD)number;
    RegSetValueExW(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof value);
}

void SaveSettings()
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        WriteFolder(key, L"GameDir", g_folders.GameDir);
        WriteFolder(key, L"PicDir", g_folders.PicDir);
        WriteNumber(key, L"BoxPos", g_box.boxPosition);
        WriteNumber(key, L"OptSound", g_shell.OptSound);
        WriteNumber(key, L"OptGrayBorder", g_board.OptGrayBorder);
        WriteNumber(key, L"OptGoalBorder", g_board.OptGoalBorder);
        WriteNumber(key, L"BoxEdgesOnly", g_box.edgesOnly);
        WriteNumber(key, L"OptJoinPieces", g_groups.joining);
        RegCloseKey(key);
    }
    DestroyMenu(g_shell.boardMenu);
    DestroyMenu(g_shell.boxMenu);
    g_shell.boardMenu = nullptr;
    g_shell.boxMenu = nullptr;
}
