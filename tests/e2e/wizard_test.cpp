#include "tests/e2e/driver.h"
#include "tests/e2e/e2e_context.h"
#include "resources/resource_ids.h"
#include <gtest/gtest.h>

// The Wizard finishes a 2 x 2 puzzle a few pieces at a time: the title counts its uses,
// and even the use that fixes the last piece brings no completion message.
TEST(Wizard, CountsItsUsesAndNeverCongratulates)
{
    DeleteSettingsKey();
    WriteSettingNumber(L"OptSound", 0);
    Player player;
    ASSERT_TRUE(StartQuiltra(&player, g_quiltraExe, g_workFolder));
    DWORD pid = player.process.dwProcessId;
    PostCommand(player.mainWindow, IDM_NEW);
    HWND open = WaitForDialogTitled(pid, L"画像ファイルを開く", 10000);
    ASSERT_NE(nullptr, open);
    ChooseFile(open, g_fixtures + L"\\landscape.jpg");
    HWND settings = WaitForDialogTitled(pid, L"設定", 10000);
    ASSERT_NE(nullptr, settings);
    ChoosePiecesAcross(settings, 2);
    PressButton(settings, IDOK);
    std::wstring title;
    DWORD start = GetTickCount();
    while ((title = WindowTitle(player.mainWindow)).find(L"(0/4 ピース)") == std::wstring::npos &&
           GetTickCount() - start < 10000)
        Pause(50);
    ASSERT_NE(std::wstring::npos, title.find(L"(0/4 ピース)")) << title;
    EXPECT_EQ(L'%', title.back()) << "no Wizard part before the first use";

    int uses = 0;
    while (title.find(L"(4/4 ピース)") == std::wstring::npos && uses < 60) {
        PostCommand(player.mainWindow, IDM_WIZARD);
        HWND question = WaitForDialogTitled(pid, L"Quiltra", 5000);
        ASSERT_NE(nullptr, question);
        ASSERT_EQ(L"Wizard に頼みますか？", MessageBoxText(question));
        PressButton(question, IDYES);
        ++uses;
        std::wstring expected = L" - " + std::to_wstring(uses) + L" Wizard";
        start = GetTickCount();
        while ((title = WindowTitle(player.mainWindow)).find(expected) == std::wstring::npos &&
               GetTickCount() - start < 5000)
            Pause(20);
        ASSERT_EQ(expected, title.substr(title.size() - expected.size())) << title;
    }
    EXPECT_NE(std::wstring::npos, title.find(L"(4/4 ピース)")) << title;
    Pause(700);
    EXPECT_EQ(nullptr, FindDialog(pid)) << "a message came after the Wizard finished the puzzle";
    EndQuiltra(&player);
}
