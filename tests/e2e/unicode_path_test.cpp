// A picture and a game in a folder whose names neither code page of the bench spells whole:
// 932 lacks ë, é, ♥, 사진 and ☕, 1252 lacks ♥, 사진, ☕ and the kana. Every way a file
// reaches the program must carry such a name whole, and every text the program shows must
// read back as written, whatever the system's code page.
#include "tests/e2e/game_file_fixture.h"
#include "files/game_format.h"
#include <commctrl.h>
#include <memory>

namespace {

class UnicodePath : public GameFile {
protected:
    void SetUp() override
    {
        unicodeFolder = g_workFolder + L"\\Zoë ♥ 사진";
        CreateDirectoryW(unicodeFolder.c_str(), nullptr);
        picture = unicodeFolder + L"\\Café ☕.jpg";
        game = unicodeFolder + L"\\ゲーム ☕.qlt";
        ASSERT_TRUE(CopyFileW((g_fixtures + L"\\landscape.jpg").c_str(), picture.c_str(), FALSE));
        DeleteFileW(game.c_str());
        GameFile::SetUp();
    }

    void Restart(const std::wstring& arguments = L"")
    {
        EndQuiltra(&player);
        ASSERT_TRUE(
            StartQuiltra(&player, g_quiltraExe, g_workFolder, kRemoveRecoveryCopies, arguments));
        pid = player.process.dwProcessId;
    }

    // The settings come only for a picture that was read: across pieces across, or as many
    // as they offer first.
    void AcceptSettings(int across = 0)
    {
        HWND settings = Dialog(L"設定");
        ASSERT_NE(nullptr, settings) << "the picture was not read";
        if (across)
            ChoosePiecesAcross(settings, across);
        PressButton(settings, IDOK);
    }

    std::wstring unicodeFolder, picture, game;
};

}  // namespace

// Typed into the picture dialog, named on the command line, handed over by a second start:
// each time the settings come for the picture and its game starts.
TEST_F(UnicodePath, APictureThereStartsAGameFromTheDialogTheCommandLineAndASecondStart)
{
    NewGame(picture);
    ExpectTitleHas(L"[ *] (0/108 ピース)");

    ASSERT_NO_FATAL_FAILURE(Restart(Quoted(picture)));
    ASSERT_NO_FATAL_FAILURE(AcceptSettings(2));
    ExpectTitleHas(L"[ *] (0/4 ピース)");

    DWORD code = 99;
    EXPECT_TRUE(RunSecondCopy(g_quiltraExe, Quoted(picture), &code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(L"ゲームを中止しますがよろしいですか？", Answer(IDYES));
    ASSERT_NO_FATAL_FAILURE(AcceptSettings());
    ExpectTitleHas(L"[ *] (0/108 ピース)");
}

// The game file's path field, read in the system's code page by every earlier build, holds
// nothing or the picture's short name, never a look-alike that names another file; the path
// block after the records holds the path whole. A later start finds the picture through it,
// from the game dialog and from the command line.
TEST_F(UnicodePath, AGameSavedThereKeepsItsPictureAndOpensAfterARestart)
{
    NewGame(picture);
    SaveAs(game);
    ExpectTitleHas(L"[ゲーム ☕.qlt] (0/108 ピース)");

    const std::vector<char> saved = FileBytes(game);
    auto loaded = std::make_unique<LoadedGame>();  // 1.7 MB: too large for the stack
    ASSERT_EQ(kGameFileOk,
              ParseGameFile((const unsigned char*)saved.data(), saved.size(), loaded.get()));
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 on Windows");
    EXPECT_EQ(picture, std::wstring((const wchar_t*)loaded->unicodePicturePath));
    if (loaded->picturePath[0]) {
        wchar_t field[MAX_PATH] = L"", named[MAX_PATH] = L"";
        MultiByteToWideChar(CP_ACP, 0, loaded->picturePath, -1, field, MAX_PATH);
        GetLongPathNameW(field, named, MAX_PATH);
        EXPECT_EQ(picture, named) << "the path field names another file: " << field;
    }

    PostMessageW(player.mainWindow, WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(WaitForExit(&player, 10000, &code)) << "a saved game was asked about";
    // The dialogs open where the files were, in this run and the next.
    for (const wchar_t* setting : {L"PicDir", L"GameDir"}) {
        std::wstring folder;
        EXPECT_TRUE(ReadSettingString(setting, &folder)) << setting;
        EXPECT_TRUE(folder == unicodeFolder || folder == unicodeFolder + L"\\")
            << setting << " is " << folder;
    }
    ASSERT_NO_FATAL_FAILURE(Restart());
    PostCommand(player.mainWindow, IDM_OPEN);
    HWND open = Dialog(L"ゲームファイルを開く");
    ASSERT_NE(nullptr, open);
    ChooseFile(open, game);
    ExpectTitleHas(L"[ゲーム ☕.qlt] (0/108 ピース)");
    EXPECT_EQ(nullptr, FindDialog(pid)) << MessageBoxText(FindDialog(pid));

    ASSERT_NO_FATAL_FAILURE(Restart(Quoted(game)));
    ExpectTitleHas(L"[ゲーム ☕.qlt] (0/108 ピース)");
    EXPECT_EQ(nullptr, FindDialog(pid)) << MessageBoxText(FindDialog(pid));
}

// The texts the program gives the system, read back through the wide calls: under a code
// page without Japanese a narrow call would turn them into question marks or mojibake.
TEST_F(UnicodePath, TheProgramsTextsReadBackAsWrittenWithTheirPaths)
{
    ASSERT_TRUE(ShowToolbarHelp(player, IDM_NEW));
    EXPECT_EQ(L"ゲームファイルを新規作成します",
              StatusText(FindChild(player.mainWindow, STATUSCLASSNAMEW)));

    const std::wstring broken = unicodeFolder + L"\\壊れた ☕.jpg";
    ASSERT_TRUE(WriteFileBytes(broken, "not a picture"));
    ASSERT_NO_FATAL_FAILURE(ChoosePicture(broken));
    EXPECT_EQ(L"画像データを取得できません。\n" + broken, Answer(IDOK));

    ASSERT_NO_FATAL_FAILURE(ChoosePicture(picture));
    HWND settings = Dialog(L"設定");
    ASSERT_NE(nullptr, settings);
    const std::vector<std::wstring> labels = {L"OK", L"ｷｬﾝｾﾙ",  L"横分割数：", L"縦分割数：", L"12",
                                              L"9",  L"正方形", L"ピース数：", L"108"};
    EXPECT_EQ(labels, ControlTexts(settings));
    PressButton(settings, IDOK);
    ExpectTitleHas(L"[ *] (0/108 ピース)");

    SaveAs(game);
    ExpectTitleHas(L"[ゲーム ☕.qlt] (0/108 ピース)");
    PostCommand(player.mainWindow, IDM_WIZARD);
    EXPECT_EQ(L"Wizard に頼みますか？", Answer(IDYES));
    ExpectTitleHas(L"[ゲーム ☕.qlt *] (");
    PostMessageW(player.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(L"終了前にゲームを保存しますか？", Answer(IDNO));
    DWORD code = 99;
    EXPECT_TRUE(WaitForExit(&player, 10000, &code));
    EXPECT_EQ(0u, code);
}
