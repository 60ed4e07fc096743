#include "board/board_state.h"
#include "box/box_state.h"
#include "files/file_names.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "win/cursors.h"
#include <gtest/gtest.h>
#include <string.h>

static const char kKey[] = "SOFTWARE\\Varnholt\\Quiltra";

static HKEY OpenKey()
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

class Settings : public testing::Test {
protected:
    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }
    void TearDown() override
    {
        DestroyMenu(g_shell.boardMenu);
        DestroyMenu(g_shell.boxMenu);
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }
};

TEST_F(Settings, FirstRunUsesTheDefaultsAndCreatesTheKey)
{
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    g_shell.zoomIndex = 7;
    LoadSettings(GetModuleHandleA(nullptr));
    EXPECT_EQ(0, g_shell.zoomIndex);
    EXPECT_STREQ(folder, g_folders.PicDir);
    EXPECT_STREQ(folder, g_folders.GameDir);
    EXPECT_EQ(1, g_shell.OptSound);
    EXPECT_EQ(1, g_board.OptGrayBorder);
    EXPECT_EQ(1, g_board.OptGoalBorder);
    EXPECT_EQ(0, g_box.boxPosition);
    EXPECT_NE(nullptr, g_cursors.drag);
    EXPECT_NE(nullptr, g_shell.boardMenu);
    HKEY key;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key));
    RegCloseKey(key);
}

TEST_F(Settings, StoredValuesAreReadAndWrittenBack)
{
    HKEY key = OpenKey();
    const char pictures[] = "C:\\絵\\ソフト";
    RegSetValueExA(key, "PicDir", 0, REG_SZ, (const BYTE*)pictures, sizeof pictures);
    DWORD two = 2, zero = 0;
    RegSetValueExA(key, "BoxPos", 0, REG_DWORD, (const BYTE*)&two, 4);
    RegSetValueExA(key, "OptSound", 0, REG_DWORD, (const BYTE*)&zero, 4);
    RegCloseKey(key);

    LoadSettings(GetModuleHandleA(nullptr));
    EXPECT_STREQ(pictures, g_folders.PicDir);
    EXPECT_EQ(2, g_box.boxPosition);
    EXPECT_EQ(0, g_shell.OptSound);
    SaveSettings();

    char text[MAX_PATH] = "";
    DWORD size = sizeof text, type = 0, number = 99;
    key = OpenKey();
    RegQueryValueExA(key, "PicDir", nullptr, &type, (BYTE*)text, &size);
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_STREQ(pictures, text);
    size = 4;
    RegQueryValueExA(key, "BoxPos", nullptr, &type, (BYTE*)&number, &size);
    EXPECT_EQ((DWORD)REG_DWORD, type);
    EXPECT_EQ(2u, number);
    size = 4;
    RegQueryValueExA(key, "OptSound", nullptr, &type, (BYTE*)&number, &size);
    EXPECT_EQ(0u, number);
    RegCloseKey(key);
}

// A folder stored without its zero that fills the whole buffer must still end in one.
TEST_F(Settings, AFolderThatFillsTheBufferStaysTerminated)
{
    char full[MAX_PATH - 1];
    memset(full, 'a', sizeof full);
    HKEY key = OpenKey();
    RegSetValueExA(key, "GameDir", 0, REG_BINARY, (const BYTE*)full, sizeof full);
    char tooLong[400];
    memset(tooLong, 'b', sizeof tooLong);
    tooLong[399] = 0;
    RegSetValueExA(key, "PicDir", 0, REG_SZ, (const BYTE*)tooLong, sizeof tooLong);
    RegCloseKey(key);

    LoadSettings(GetModuleHandleA(nullptr));
    EXPECT_EQ(sizeof full, strlen(g_folders.GameDir));
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    EXPECT_STREQ(folder, g_folders.PicDir);
}

TEST_F(Settings, NumbersOfTheWrongSizeKeepTheirDefaults)
{
    HKEY key = OpenKey();
    RegSetValueExA(key, "OptGoalBorder", 0, REG_SZ, (const BYTE*)"0", 2);
    RegCloseKey(key);
    LoadSettings(GetModuleHandleA(nullptr));
    EXPECT_EQ(1, g_board.OptGoalBorder);
}
