#include "shell/settings.h"
#include "board/board_state.h"
#include "box/box_state.h"
#include "files/file_names.h"
#include "resources/resource_ids.h"
#include "shell/shell_state.h"
#include "win/cursors.h"
#include <string.h>

static const char kSettingsKey[] = "SOFTWARE\\Varnholt\\Quiltra";

// A REG_SZ may be stored without its terminating zero; reading into one byte
// less than the buffer and zeroing the last byte keeps the folder a string.
static void ReadFolder(HKEY key, const char* name, char* folder)
{
    char value[MAX_PATH] = {};
    DWORD size = MAX_PATH - 1;
    if (RegQueryValueExA(key, name, nullptr, nullptr, (BYTE*)value, &size) == ERROR_SUCCESS) {
        value[MAX_PATH - 1] = 0;
        strcpy(folder, value);
    }
}

static void ReadNumber(HKEY key, const char* name, int* number)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, nullptr, (BYTE*)&value, &size) == ERROR_SUCCESS &&
        size == sizeof value)
        *number = (int)value;
}

void LoadSettings(HINSTANCE instance)
{
    memset(&g_shell, 0, sizeof g_shell);
    g_shell.instance = instance;
    memset(&g_board, 0, sizeof g_board);
    LoadCursors(instance);
    g_shell.boardMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_BOARDMENU));
    g_shell.boxMenu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_BOXMENU));

    GetCurrentDirectoryA(MAX_PATH, g_folders.PicDir);
    strcpy(g_folders.GameDir, g_folders.PicDir);
    g_board.OptGoalBorder = 1;
    g_board.OptGrayBorder = 1;
    g_shell.OptSound = 1;
    g_box.boxPosition = kBoxAtBottom;
    g_box.goalPictureShown = 0;

    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_CREATE_SUB_KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    ReadFolder(key, "PicDir", g_folders.PicDir);
    ReadFolder(key, "GameDir", g_folders.GameDir);
    ReadNumber(key, "BoxPos", &g_box.boxPosition);
    ReadNumber(key, "OptSound", &g_shell.OptSound);
    ReadNumber(key, "OptGrayBorder", &g_board.OptGrayBorder);
    ReadNumber(key, "OptGoalBorder", &g_board.OptGoalBorder);
    RegCloseKey(key);
}

static void WriteFolder(HKEY key, const char* name, const char* folder)
{
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)folder, (DWORD)strlen(folder) + 1);
}

static void WriteNumber(HKEY key, const char* name, int number)
{
    DWORD value = (DWORD)number;
    RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof value);
}

void SaveSettings()
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        WriteFolder(key, "GameDir", g_folders.GameDir);
        WriteFolder(key, "PicDir", g_folders.PicDir);
        WriteNumber(key, "BoxPos", g_box.boxPosition);
        WriteNumber(key, "OptSound", g_shell.OptSound);
        WriteNumber(key, "OptGrayBorder", g_board.OptGrayBorder);
        WriteNumber(key, "OptGoalBorder", g_board.OptGoalBorder);
        RegCloseKey(key);
    }
    DestroyMenu(g_shell.boardMenu);
    DestroyMenu(g_shell.boxMenu);
    g_shell.boardMenu = nullptr;
    g_shell.boxMenu = nullptr;
}
