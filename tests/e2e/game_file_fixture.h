// A fresh copy of the program with sound off, and the steps of a player who makes,
// saves and opens games.
#pragma once
#include "tests/e2e/driver.h"
#include "tests/e2e/e2e_context.h"
#include "resources/resource_ids.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

class GameFile : public testing::Test {
protected:
    void SetUp() override
    {
        DeleteSettingsKey();
        WriteSettingNumber(L"OptSound", 0);
        folder = g_workFolder + L"\\games";
        CreateDirectoryW(folder.c_str(), nullptr);
        ASSERT_TRUE(StartQuiltra(&player, g_quiltraExe, g_workFolder));
        pid = player.process.dwProcessId;
    }
    void TearDown() override { EndQuiltra(&player); }

    HWND Dialog(const wchar_t* title) { return WaitForDialogTitled(pid, title, 10000); }

    // Answers a message box and returns its text.
    std::wstring Answer(int button)
    {
        HWND box = Dialog(L"Quiltra");
        if (!box)
            return L"(no message)";
        std::wstring text = MessageBoxText(box);
        PressButton(box, button);
        Pause(200);
        return text;
    }

    // New with no game shown: the picture typed into its dialog.
    void ChoosePicture(const std::wstring& picture)
    {
        PostCommand(player.mainWindow, IDM_NEW);
        HWND open = Dialog(L"画像ファイルを開く");
        ASSERT_NE(nullptr, open);
        ChooseFile(open, picture);
    }

    void NewGame(const std::wstring& picture)
    {
        ASSERT_NO_FATAL_FAILURE(ChoosePicture(picture));
        HWND settings = Dialog(L"設定");
        ASSERT_NE(nullptr, settings);
        PressButton(settings, IDOK);
        WaitUntilTitleHas(L"ピース");
    }

    // Save as, or Save of a game without a file: the save dialog answered with a path that
    // holds no file yet, so that nothing more is asked.
    void SaveThroughDialog(int command, const std::wstring& path)
    {
        PostCommand(player.mainWindow, command);
        HWND save = Dialog(L"ゲームファイルを保存");
        ASSERT_NE(nullptr, save);
        DeleteFileW(path.c_str());
        ChooseFile(save, path);
        WaitUntilTitleHas(L"[" + path.substr(path.rfind(L'\\') + 1) + L"]");
    }

    void SaveAs(const std::wstring& path) { SaveThroughDialog(IDM_SAVEAS, path); }

    // Open while a game is shown: the question to abandon it answered yes, then the file.
    void OpenAbandoningTheGame(const std::wstring& path)
    {
        PostCommand(player.mainWindow, IDM_OPEN);
        EXPECT_EQ(L"ゲームを中止しますがよろしいですか？", Answer(IDYES));
        HWND open = Dialog(L"ゲームファイルを開く");
        ASSERT_NE(nullptr, open);
        ChooseFile(open, path);
    }

    void WaitUntilTitleHas(const std::wstring& part)
    {
        DWORD start = GetTickCount();
        while (Title().find(part) == std::wstring::npos && GetTickCount() - start < 10000)
            Pause(50);
    }

    void ExpectTitleHas(const std::wstring& part)
    {
        WaitUntilTitleHas(part);
        EXPECT_NE(std::wstring::npos, Title().find(part))
            << "the title reads " << Title() << ", not " << part;
    }

    std::wstring Title() { return WindowTitle(player.mainWindow); }

    Player player;
    DWORD pid = 0;
    std::wstring folder;
};
