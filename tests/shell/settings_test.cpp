#include "board/board_state.h"
#include "box/box_state.h"
#include "model/piece_groups.h"
#include "files/file_names.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "win/cursors.h"
#include <gtest/gtest.h>
#include <string>
#include <wchar.h>

static const wchar_t kKey[] = L"SOFTWARE\\Varnholt\\Quiltra";

static HKEY OpenKey()
{
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

static std::wstring CurrentFolder()
{
    wchar_t folder[kPathCapacity] = L"";
    GetCurrentDirectoryW(kPathCapacity, folder);
    return folder;
}

class Settings : public testing::Test {
protected:
    void SetUp() override { RegDeleteKeyW(HKEY_CURRENT_USER, kKey); }
    void TearDown() override
    {
        DestroyMenu(g_shell.boardMenu);
        DestroyMenu(g_shell.boxMenu);
        RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    }
};

TEST_F(Settings, FirstRunUsesTheDefaultsAndCreatesTheKey)
{
    g_shell.zoomIndex = 7;
    LoadSettings(GetModuleHandleW(nullptr));
    EXPECT_EQ(0, g_shell.zoomIndex);
    EXPECT_EQ(CurrentFolder(), g_folders.PicDir);
    EXPECT_EQ(CurrentFolder(), g_folders.GameDir);
    EXPECT_EQ(1, g_shell.OptSound);
    EXPECT_EQ(1, g_board.OptGrayBorder);
    EXPECT_EQ(1, g_board.OptGoalBorder);
    EXPECT_EQ(0, g_box.boxPosition);
    EXPECT_NE(nullptr, g_cursors.drag);
    EXPECT_NE(nullptr, g_shell.boardMenu);
    HKEY key;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key));
    RegCloseKey(key);
}

// A folder stored by an earlier build, in the code page's bytes, reads as the same folder;
// a folder no code page spells is stored and read back whole; both stay REG_SZ, which an
// earlier build reads in the code page.
TEST_F(Settings, StoredValuesAreReadAndWrittenBack)
{
    ASSERT_EQ(932u, GetACP()) << "the earlier build's bytes below are Shift-JIS";
    HKEY key = OpenKey();
    const char earlierPictures[] = "C:\\\x8a\x47\\\x83\x5c\x83\x74\x83\x67";  // C:\絵\ソフト
    RegSetValueExA(key, "PicDir", 0, REG_SZ, (const BYTE*)earlierPictures, sizeof earlierPictures);
    DWORD two = 2, zero = 0;
    RegSetValueExW(key, L"BoxPos", 0, REG_DWORD, (const BYTE*)&two, 4);
    RegSetValueExW(key, L"OptSound", 0, REG_DWORD, (const BYTE*)&zero, 4);
    RegCloseKey(key);

    LoadSettings(GetModuleHandleW(nullptr));
    EXPECT_STREQ(L"C:\\絵\\ソフト", g_folders.PicDir);
    EXPECT_EQ(2, g_box.boxPosition);
    EXPECT_EQ(0, g_shell.OptSound);
    const wchar_t games[] = L"C:\\Zoë ♥ 사진\\";
    wcscpy(g_folders.GameDir, games);
    SaveSettings();

    wchar_t text[kPathCapacity] = L"";
    DWORD size = sizeof text, type = 0, number = 99;
    key = OpenKey();
    RegQueryValueExW(key, L"GameDir", nullptr, &type, (BYTE*)text, &size);
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_STREQ(games, text);
    char earlierText[kPathCapacity] = "";
    size = sizeof earlierText;
    RegQueryValueExA(key, "PicDir", nullptr, &type, (BYTE*)earlierText, &size);
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_STREQ(earlierPictures, earlierText);
    size = 4;
    RegQueryValueExW(key, L"BoxPos", nullptr, &type, (BYTE*)&number, &size);
    EXPECT_EQ((DWORD)REG_DWORD, type);
    EXPECT_EQ(2u, number);
    size = 4;
    RegQueryValueExW(key, L"OptSound", nullptr, &type, (BYTE*)&number, &size);
    EXPECT_EQ(0u, number);
    RegCloseKey(key);

    LoadSettings(GetModuleHandleW(nullptr));
    EXPECT_STREQ(games, g_folders.GameDir);
    EXPECT_STREQ(L"C:\\絵\\ソフト", g_folders.PicDir);
}

// A folder stored without its zero that fills the whole buffer must still end in one; a
// folder longer than the buffer is not read, rather than cut to another folder.
TEST_F(Settings, AFolderThatFillsTheBufferStaysTerminated)
{
    // One unit more than is stored, not zero, so that the system adds no terminator.
    const std::wstring full(kPathCapacity, L'a');
    HKEY key = OpenKey();
    RegSetValueExW(key, L"GameDir", 0, REG_SZ, (const BYTE*)full.c_str(),
                   (kPathCapacity - 1) * sizeof(wchar_t));
    const std::wstring tooLong = L"C:\\" + std::wstring(kPathCapacity, L'b');
    RegSetValueExW(key, L"PicDir", 0, REG_SZ, (const BYTE*)tooLong.c_str(),
                   (DWORD)((tooLong.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);

    LoadSettings(GetModuleHandleW(nullptr));
    EXPECT_EQ(full.substr(1), g_folders.GameDir);
    EXPECT_EQ(CurrentFolder(), g_folders.PicDir);
}

// Text is no number, even where it has a number's size: one character and its terminator
// in UTF-16.
TEST_F(Settings, NumbersOfTheWrongSizeOrTypeKeepTheirDefaults)
{
    HKEY key = OpenKey();
    RegSetValueExW(key, L"OptGoalBorder", 0, REG_SZ, (const BYTE*)L"0", 2 * sizeof(wchar_t));
    const WORD zero = 0;
    RegSetValueExW(key, L"OptGrayBorder", 0, REG_BINARY, (const BYTE*)&zero, sizeof zero);
    RegCloseKey(key);
    LoadSettings(GetModuleHandleW(nullptr));
    EXPECT_EQ(1, g_board.OptGoalBorder);
    EXPECT_EQ(1, g_board.OptGrayBorder);
}

// The box's edge filter and the joining of pieces are numbers beside the others: off on a
// first run, kept as they were left, and off again when the value says so.
TEST_F(Settings, TheEdgeFilterAndJoiningAreKeptBetweenRuns)
{
    const struct {
        const wchar_t* name;
        int* setting;
    } settings[] = {{L"BoxEdgesOnly", &g_box.edgesOnly}, {L"OptJoinPieces", &g_groups.joining}};
    for (const auto& each : settings) {
        *each.setting = 1;
        LoadSettings(GetModuleHandleW(nullptr));
        EXPECT_EQ(0, *each.setting) << each.name;
        *each.setting = 1;
        SaveSettings();

        HKEY key = OpenKey();
        DWORD number = 99, size = sizeof number, type = 0;
        RegQueryValueExW(key, each.name, nullptr, &type, (BYTE*)&number, &size);
        EXPECT_EQ((DWORD)REG_DWORD, type) << each.name;
        EXPECT_EQ(1u, number) << each.name;
        RegCloseKey(key);
        *each.setting = 0;
        LoadSettings(GetModuleHandleW(nullptr));
        EXPECT_EQ(1, *each.setting) << each.name;

        *each.setting = 0;
        SaveSettings();
        *each.setting = 1;
        LoadSettings(GetModuleHandleW(nullptr));
        EXPECT_EQ(0, *each.setting) << each.name;
    }
}
