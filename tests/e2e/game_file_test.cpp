#include "tests/e2e/game_file_fixture.h"
#include "files/game_format.h"
#include <algorithm>
#include <fstream>
#include <memory>
#include <thread>

TEST_F(GameFile, SaveAsThenOpenThenSaveKeepsTheGameByteForByte)
{
    NewGame(g_fixtures + "\\landscape.jpg");
    EXPECT_NE(std::wstring::npos, Title().find(L"[ *]"));
    std::string path = folder + "\\a.qlt";
    DeleteFileA(path.c_str());
    SaveAs(path);
    EXPECT_NE(std::wstring::npos, Title().find(L"[a.qlt] (0/108 ピース)")) << Title();
    std::vector<char> saved = FileBytes(path);
    ASSERT_EQ(320u + 168u * 108u, saved.size());
    EXPECT_EQ(std::string("Quiltra Game3.00"), std::string(saved.data(), 16));

    // One format for both builds: the program's file is what the portable core writes for
    // the table it holds, and the core's records keep one layout in every build.
    auto game = std::make_unique<LoadedGame>();  // 1.7 MB: too large for the stack
    const unsigned char* data = (const unsigned char*)saved.data();
    ASSERT_EQ(kGameFileOk, ParseGameFile(data, saved.size(), game.get()));
    std::vector<unsigned char> rebuilt;
    BuildGameFile(game->picturePath, game->header, game->pieces, &rebuilt);
    EXPECT_TRUE(std::equal(rebuilt.begin(), rebuilt.end(), data, data + saved.size()))
        << "the file saved by the " << (sizeof(void*) == 8 ? "x64" : "x86")
        << " program differs from the core's";

    OpenAbandoningTheGame(path);
    Pause(1000);
    EXPECT_NE(std::wstring::npos, Title().find(L"[a.qlt] (0/108")) << Title();

    PostCommand(player.mainWindow, IDM_SAVE);
    EXPECT_EQ(L"ゲームファイルを更新してよろしいですか？（a.qlt）", Answer(IDYES));
    Pause(300);
    EXPECT_EQ(saved, FileBytes(path));
}

TEST_F(GameFile, ANeverSavedGameAsksForANameOnSave)
{
    NewGame(g_fixtures + "\\landscape.jpg");
    const std::string path = folder + "\\b.qlt";
    SaveThroughDialog(IDM_SAVE, path);
    EXPECT_NE(std::wstring::npos, Title().find(L"[b.qlt] (0/108")) << Title();
}

// The picture found again is a change the file does not hold: the game is unsaved, and
// its first Save names it in the title.
TEST_F(GameFile, AMovedPictureIsAskedForAndTheGameGoesOnUntitledAndUnsaved)
{
    std::string picture = folder + "\\moved.jpg";
    ASSERT_TRUE(CopyFileA((g_fixtures + "\\landscape.jpg").c_str(), picture.c_str(), FALSE));
    NewGame(picture);
    std::string path = folder + "\\moved.qlt";
    DeleteFileA(path.c_str());
    SaveAs(path);
    ASSERT_TRUE(DeleteFileA(picture.c_str()));

    OpenAbandoningTheGame(path);
    EXPECT_EQ(L"画像ファイルがありません", Answer(IDOK));
    HWND again = Dialog(L"画像ファイルを開く");
    ASSERT_NE(nullptr, again);
    ChooseFile(again, g_fixtures + "\\landscape.jpg");
    WaitUntilTitleHas(L"[ *]");
    EXPECT_NE(std::wstring::npos, Title().find(L"[ *] (0/108 ピース)")) << Title();

    const std::string found = folder + "\\found.qlt";
    SaveThroughDialog(IDM_SAVE, found);
    EXPECT_NE(std::wstring::npos, Title().find(L"[found.qlt] (0/108 ピース)")) << Title();
}

TEST_F(GameFile, DamagedFilesAreRefusedWithTheirPath)
{
    struct Case {
        const char* name;
        std::string bytes;
        const wchar_t* message;
    };
    std::string header(16, 'x');
    const Case cases[] = {
        {"short.qlt", std::string(15, 'Q'), L"ゲームファイルヘッダを読み込めません。"},
        {"foreign.qlt", "QUILTRA GAME3.00" + std::string(400, '\0'),
         L"ゲームファイルの形式が不正です。"},
        {"signature.qlt", "Quiltra Game3.00", L"ゲームファイルを読み込めません。（ヘッダ）"},
    };
    for (const Case& c : cases) {
        std::string path = folder + "\\" + c.name;
        std::ofstream(path, std::ios::binary) << c.bytes;
        PostCommand(player.mainWindow, IDM_OPEN);
        HWND open = Dialog(L"ゲームファイルを開く");
        ASSERT_NE(nullptr, open);
        ChooseFile(open, path);
        EXPECT_EQ(std::wstring(c.message) + L"\n" + Wide(path), Answer(IDOK)) << c.name;
        EXPECT_EQ(L"Quiltra", Title());
    }
}

// The old file survives a save that cannot replace it (here another program holds it open).
TEST_F(GameFile, AFailedSaveKeepsTheOldFileAndTheGame)
{
    NewGame(g_fixtures + "\\landscape.jpg");
    std::string path = folder + "\\locked.qlt";
    DeleteFileA(path.c_str());
    SaveAs(path);
    std::vector<char> before = FileBytes(path);
    ASSERT_FALSE(before.empty());
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);

    PostCommand(player.mainWindow, IDM_SAVE);
    EXPECT_EQ(L"ゲームファイルを更新してよろしいですか？（locked.qlt）", Answer(IDYES));
    EXPECT_EQ(L"ゲームファイルを開けません。（保存）\n" + Wide(path), Answer(IDOK));
    CloseHandle(lock);
    EXPECT_EQ(before, FileBytes(path));
    EXPECT_NE(std::wstring::npos, Title().find(L"[locked.qlt]")) << Title();
    WIN32_FIND_DATAA found;
    HANDLE leftovers = FindFirstFileA((folder + "\\qlt*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, leftovers) << "a temporary file was left behind";
    FindClose(leftovers);

    std::string gone = folder + "\\gone";
    CreateDirectoryA(gone.c_str(), nullptr);
    std::string lost = gone + "\\c.qlt";
    SaveAs(lost);
    DeleteFileA(lost.c_str());
    ASSERT_TRUE(RemoveDirectoryA(gone.c_str()));
    PostCommand(player.mainWindow, IDM_SAVE);
    EXPECT_EQ(L"ゲームファイルを更新してよろしいですか？（c.qlt）", Answer(IDYES));
    EXPECT_EQ(L"ゲームファイルを開けません。（保存）\n" + Wide(lost), Answer(IDOK));
    EXPECT_NE(std::wstring::npos, Title().find(L"[c.qlt]")) << Title();
}

TEST_F(GameFile, ExitWithUnsavedChangesAndACancelledSaveKeepsPlaying)
{
    NewGame(g_fixtures + "\\landscape.jpg");
    std::wstring title = Title();
    PostMessageW(player.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(L"終了前にゲームを保存しますか？", Answer(IDYES));
    HWND save = Dialog(L"ゲームファイルを保存");
    ASSERT_NE(nullptr, save);
    PressButton(save, IDCANCEL);
    Pause(500);
    EXPECT_TRUE(IsWindow(player.mainWindow));
    EXPECT_EQ(title, Title());

    PostMessageW(player.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(L"終了前にゲームを保存しますか？", Answer(IDNO));
    DWORD code = 99;
    EXPECT_TRUE(WaitForExit(&player, 10000, &code));
}

// Logging off asks as the exit does: Cancel holds the session up, No lets it end, and the
// settings are written before the process goes.
TEST_F(GameFile, LoggingOffAsksAboutAnUnsavedGameAndWritesTheSettings)
{
    NewGame(g_fixtures + "\\landscape.jpg");
    auto queryEndSession = [&](int button) {
        LRESULT result = -1;
        std::thread session(
            [&] { result = SendMessageW(player.mainWindow, WM_QUERYENDSESSION, 0, 0); });
        std::wstring text = Answer(button);
        session.join();
        EXPECT_EQ(L"終了前にゲームを保存しますか？", text);
        return result;
    };
    EXPECT_EQ(FALSE, queryEndSession(IDCANCEL));
    EXPECT_EQ(TRUE, queryEndSession(IDNO));

    DWORD boxPos = 99;
    ASSERT_FALSE(ReadSettingNumber("BoxPos", &boxPos)) << "nothing is written before the end";
    SendMessageW(player.mainWindow, WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(ReadSettingNumber("BoxPos", &boxPos));
}

// From Explorer: a game file named on the command line opens at start; a second start with
// another file hands it to the running copy, which asks about its game and opens it; a second
// start with nothing leaves it alone. Each second copy leaves with code 0.
TEST_F(GameFile, AGameFileGivenToAStartOrToASecondStartIsOpenedThere)
{
    NewGame(g_fixtures + "\\landscape.jpg");
    const std::string first = folder + "\\given one.qlt", second = folder + "\\given two.qlt";
    SaveAs(first);
    SaveAs(second);
    EndQuiltra(&player);

    ASSERT_TRUE(StartQuiltra(&player, g_quiltraExe, g_workFolder, kRemoveRecoveryCopies,
                             "\"" + first + "\""));
    pid = player.process.dwProcessId;
    WaitUntilTitleHas(L"[given one.qlt] (0/108");
    EXPECT_NE(std::wstring::npos, Title().find(L"[given one.qlt] (0/108")) << Title();

    DWORD code = 99;
    EXPECT_TRUE(RunSecondCopy(g_quiltraExe, "\"" + second + "\"", &code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(L"ゲームを中止しますがよろしいですか？", Answer(IDYES));
    WaitUntilTitleHas(L"[given two.qlt]");
    EXPECT_NE(std::wstring::npos, Title().find(L"[given two.qlt] (0/108")) << Title();

    const std::wstring title = Title();
    code = 99;
    EXPECT_TRUE(RunSecondCopy(g_quiltraExe, "", &code));
    EXPECT_EQ(0u, code);
    Pause(500);
    EXPECT_EQ(nullptr, FindDialog(pid));
    EXPECT_EQ(title, Title());
}
