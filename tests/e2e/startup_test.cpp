#include "tests/e2e/driver.h"
#include "tests/e2e/e2e_context.h"
#include "resources/resource_ids.h"
#include <gtest/gtest.h>

// Starts a fresh copy with no settings in the registry and ends it after each test.
class Startup : public testing::Test {
protected:
    void SetUp() override
    {
        DeleteSettingsKey();
        ASSERT_TRUE(StartQuiltra(&player, g_quiltraExe, g_workFolder));
    }
    void TearDown() override { EndQuiltra(&player); }
    void CloseNormally()
    {
        PostMessageW(player.mainWindow, WM_CLOSE, 0, 0);
        DWORD code = 99;
        ASSERT_TRUE(WaitForExit(&player, 10000, &code)) << "no exit after WM_CLOSE";
        EXPECT_EQ(0u, code);
    }
    Player player;
};

TEST_F(Startup, OpensMaximisedTitledQuiltraWithItsChildren)
{
    EXPECT_EQ(L"Quiltra", WindowTitle(player.mainWindow));
    EXPECT_TRUE(IsZoomed(player.mainWindow));
    EXPECT_NE(nullptr, FindChild(player.mainWindow, L"ToolbarWindow32"));
    EXPECT_NE(nullptr, FindChild(player.mainWindow, L"msctls_statusbar32"));

    RECT client, board, status;
    GetClientRect(player.mainWindow, &client);
    HWND boardWindow = FindChild(player.mainWindow, L"Quiltra Sight");
    GetWindowRect(boardWindow, &board);
    MapWindowPoints(nullptr, player.mainWindow, (POINT*)&board, 2);
    GetWindowRect(FindChild(player.mainWindow, L"msctls_statusbar32"), &status);
    const int statusHeight = status.bottom - status.top;
    NewStatusBar bar;
    ASSERT_TRUE(MeasureNewStatusBar(&bar));
    EXPECT_EQ(HeldStatusBarHeight(bar), statusHeight);
    EXPECT_EQ(0, board.left);
    EXPECT_EQ(MulDiv(kToolbarBandAt96, (int)bar.dpi, 96), board.top);
    EXPECT_EQ(client.right, board.right);
    EXPECT_EQ(client.bottom - statusHeight, board.bottom);
}

TEST_F(Startup, ShowsTheStartPictureCentredOnGrey)
{
    HWND boardWindow = FindChild(player.mainWindow, L"Quiltra Sight");
    ASSERT_TRUE(ShowNotMaximised(player.mainWindow));
    Pause(500);
    HBITMAP shot = CaptureWindow(boardWindow);
    SaveBitmap(shot, g_workFolder + L"\\start-screen.bmp");

    HMODULE exe = LoadLibraryExW(g_quiltraExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, exe);
    HBITMAP start = (HBITMAP)LoadImageW(exe, MAKEINTRESOURCEW(IDB_START), IMAGE_BITMAP, 0, 0,
                                        LR_CREATEDIBSECTION);
    ASSERT_NE(nullptr, start);
    BITMAP picture;
    GetObjectW(start, sizeof picture, &picture);
    EXPECT_EQ(497, picture.bmWidth);
    EXPECT_EQ(291, picture.bmHeight);

    RECT client;
    GetClientRect(boardWindow, &client);
    int left = (client.right - 497) / 2, top = (client.bottom - 291) / 2;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, start);
    int mismatches = 0;
    for (int y = 0; y < 291; y += 7)
        for (int x = 0; x < 497; x += 7)
            mismatches += PixelAt(shot, left + x, top + y) != GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(0, mismatches);

    const COLORREF grey = RGB(127, 127, 127);
    EXPECT_EQ(grey, PixelAt(shot, 3, 3));
    EXPECT_EQ(grey, PixelAt(shot, client.right - 3, client.bottom - 3));
    EXPECT_EQ(grey, PixelAt(shot, left - 2, top + 100));
    EXPECT_EQ(grey, PixelAt(shot, left + 497 + 1, top + 100));
    DeleteObject(shot);
    FreeLibrary(exe);
}

TEST_F(Startup, SecondCopyLeavesAtOnceWithCodeZero)
{
    DWORD code = 99;
    EXPECT_TRUE(RunSecondCopy(g_quiltraExe, L"", &code));
    EXPECT_EQ(0u, code);

    EXPECT_TRUE(IsWindow(player.mainWindow));
    EXPECT_EQ(L"Quiltra", WindowTitle(player.mainWindow));
    EXPECT_EQ(player.mainWindow, WaitForWindow(L"Quiltra", 0, 1000));
}

TEST_F(Startup, ClosingWithoutAGameAsksNothingAndWritesTheDefaults)
{
    CloseNormally();
    EXPECT_EQ(nullptr, FindDialog(player.process.dwProcessId));

    std::wstring picDir, gameDir;
    ASSERT_TRUE(ReadSettingString(L"PicDir", &picDir));
    ASSERT_TRUE(ReadSettingString(L"GameDir", &gameDir));
    wchar_t expected[MAX_PATH];
    GetFullPathNameW(g_workFolder.c_str(), MAX_PATH, expected, nullptr);
    EXPECT_EQ(0, _wcsicmp(expected, picDir.c_str())) << picDir;
    EXPECT_EQ(0, _wcsicmp(expected, gameDir.c_str())) << gameDir;

    const wchar_t* names[] = {L"BoxPos", L"OptSound", L"OptGrayBorder", L"OptGoalBorder"};
    const DWORD defaults[] = {0, 1, 1, 1};
    for (int i = 0; i < 4; ++i) {
        DWORD value = 99;
        EXPECT_TRUE(ReadSettingNumber(names[i], &value)) << names[i];
        EXPECT_EQ(defaults[i], value) << names[i];
    }
}

TEST_F(Startup, ExitCommandClosesLikeTheCloseBox)
{
    PostCommand(player.mainWindow, IDM_EXIT);
    DWORD code = 99;
    EXPECT_TRUE(WaitForExit(&player, 10000, &code));
    EXPECT_EQ(0u, code);
}

// Stored values that differ from the defaults survive a run untouched.
TEST(StoredSettings, AreReadAndWrittenBackUnchanged)
{
    DeleteSettingsKey();
    WriteSettingNumber(L"BoxPos", 2);
    WriteSettingNumber(L"OptSound", 0);
    Player player;
    ASSERT_TRUE(StartQuiltra(&player, g_quiltraExe, g_workFolder));
    PostMessageW(player.mainWindow, WM_CLOSE, 0, 0);
    DWORD code = 99;
    EXPECT_TRUE(WaitForExit(&player, 10000, &code));
    EndQuiltra(&player);

    DWORD boxPos = 99, sound = 99, grey = 99;
    EXPECT_TRUE(ReadSettingNumber(L"BoxPos", &boxPos));
    EXPECT_TRUE(ReadSettingNumber(L"OptSound", &sound));
    EXPECT_TRUE(ReadSettingNumber(L"OptGrayBorder", &grey));
    EXPECT_EQ(2u, boxPos);
    EXPECT_EQ(0u, sound);
    EXPECT_EQ(1u, grey);
}
