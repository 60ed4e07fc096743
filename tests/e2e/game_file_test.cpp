#include "tests/e2e/game_file_fixture.h"
#include "files/game_format.h"
#include <algorithm>
#include <memory>
#include <thread>

// A picture's path that the system's code page spells, beyond ASCII too, stands in the path
// field, and nothing follows the records: the very file that every earlier build wrote.
TEST_F(GameFile, SaveAsThenOpenThenSaveKeepsTheGameByteForByte)
{
    const std::wstring picture = folder + (GetACP() == 932 ? L"\\風景.jpg" : L"\\Café.jpg");
    ASSERT_TRUE(CopyFileW((g_fixtures + L"\\landscape.jpg").c_str(), picture.c_str(), FALSE));
    NewGame(picture);
    EXPECT_NE(std::wstring::npos, Title().find(L"[ *]"));
    std::wstring path = folder + L"\\a.qlt";
    DeleteFileW(path.c_str());
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
    wchar_t field[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, game->picturePath, -1, field, MAX_PATH);
    EXPECT_EQ(picture, field);
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
    NewGame(g_fixtures + L"\\landscape.jpg");
    const std::wstring path = folder + L"\\b.qlt";
    SaveThroughDialog(IDM_SAVE, path);
    EXPECT_NE(std::wstring::npos, Title().find(L"[b.qlt] (0/108")) << Title();
}

// The picture found again is a change the file does not hold: the game is unsaved, and
// its first Save names it in the title.
TEST_F(GameFile, AMovedPictureIsAskedForAndTheGameGoesOnUntitledAndUnsaved)
{
    std::wstring picture = folder + L"\\moved.jpg";
    ASSERT_TRUE(CopyFileW((g_fixtures + L"\\landscape.jpg").c_str(), picture.c_str(), FALSE));
    NewGame(picture);
    std::wstring path = folder + L"\\moved.qlt";
    DeleteFileW(path.c_str());
    SaveAs(path);
    ASSERT_TRUE(DeleteFileW(picture.c_str()));

    OpenAbandoningTheGame(path);
    EXPECT_EQ(L"画像ファイルがありません", Answer(IDOK));
    HWND again = Dialog(L"画像ファイルを開く");
    ASSERT_NE(nullptr, again);
    ChooseFile(again, g_fixtures + L"\\landscape.jpg");
    WaitUntilTitleHas(L"[ *]");
    EXPECT_NE(std::wstring::npos, Title().find(L"[ *] (0/108 ピース)")) << Title();

    const std::wstring found = folder + L"\\found.qlt";
    SaveThroughDialog(IDM_SAVE, found);
    EXPECT_NE(std::wstring::npos, Title().find(L"[found.qlt] (0/108 ピース)")) << Title();
}

TEST_F(GameFile, DamagedFilesAreRefusedWithTheirPath)
{
    struct Case {
        const wchar_t* name;
        std::string bytes;
        const wchar_t* message;
    };
    const Case cases[] = {
        {L"short.qlt", std::string(15, 'Q'), L"ゲームファイルヘッダを読み込めません。"},
        {L"foreign.qlt", "QUILTRA GAME3.00" + std::string(400, '\0'),
         L"ゲームファイルの形式が不正です。"},
        {L"signature.qlt", "Quiltra Game3.00", L"ゲームファイルを読み込めません。（ヘッダ）"},
    };
    for (const Case& c : cases) {
        std::wstring path = folder + L"\\" + c.name;
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        PostCommand(player.mainWindow, IDM_OPEN);
        HWND open = Dialog(L"ゲームファイルを開く");
        ASSERT_NE(nullptr, open);
        ChooseFile(open, path);
        EXPECT_EQ(std::wstring(c.message) + L"\n" + path, Answer(IDOK)) << c.name;
        EXPECT_EQ(L"Quiltra", Title());
    }
}

// The old file survives a save that cannot replace it (here another program holds it open).
TEST_F(GameFile, AFailedSaveKeepsTheOldFileAndTheGame)
{
    NewGame(g_fixtures + L"\\landscape.jpg");
    std::wstring path = folder + L"\\locked.qlt";
    DeleteFileW(path.c_str());
    SaveAs(path);
    std::vector<char> before = FileBytes(path);
    ASSERT_FALSE(before.empty());
    HANDLE lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);

    PostCommand(player.mainWindow, IDM_SAVE);
    EXPECT_EQ(L"ゲームファイルを更新してよろしいですか？（locked.qlt）", Answer(IDYES));
    EXPECT_EQ(L"ゲームファイルを開けません。（保存）\n" + path, Answer(IDOK));
    CloseHandle(lock);
    EXPECT_EQ(before, FileBytes(path));
    EXPECT_NE(std::wstring::npos, Title().find(L"[locked.qlt]")) << Title();
    WIN32_FIND_DATAW found;
    HANDLE leftovers = FindFirstFileW((folder + L"\\qlt*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, leftovers) << "a temporary file was left behind";
    FindClose(leftovers);

    std::wstring gone = folder + L"\\gone";
    CreateDirectoryW(gone.c_str(), nullptr);
    std::wstring lost = gone + L"\\c.qlt";
    SaveAs(lost);
    DeleteFileW(lost.c_str());
    ASSERT_TRUE(RemoveDirectoryW(gone.c_str()));
    PostCommand(player.mainWindow, IDM_SAVE);
    EXPECT_EQ(L"ゲームファイルを更新してよろしいですか？（c.qlt）", Answer(IDYES));
    EXPECT_EQ(L"ゲームファイルを開けません。（保存）\n" + lost, Answer(IDOK));
    EXPECT_NE(std::wstring::npos, Title().find(L"[c.qlt]")) << Title();
}

TEST_F(GameFile, ExitWithUnsavedChangesAndACancelledSaveKeepsPlaying)
{
    NewGame(g_fixtures + L"\\landscape.jpg");
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
    NewGame(g_fixtures + L"\\landscape.jpg");
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
    ASSERT_FALSE(ReadSettingNumber(L"BoxPos", &boxPos)) << "nothing is written before the end";
    SendMessageW(player.mainWindow, WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(ReadSettingNumber(L"BoxPos", &boxPos));
}

// From Explorer: a game file named on the command line opens at start; a second start with
// another file hands it to the running copy, which asks about its game and opens it; a second
// start with nothing leaves it alone. Each second copy leaves with code 0.
TEST_F(GameFile, AGameFileGivenToAStartOrToASecondStartIsOpenedThere)
{
    NewGame(g_fixtures + L"\\landscape.jpg");
    const std::wstring first = folder + L"\\given one.qlt", second = folder + L"\\given two.qlt";
    SaveAs(first);
    SaveAs(second);
    EndQuiltra(&player);

    ASSERT_TRUE(
        StartQuiltra(&player, g_quiltraExe, g_workFolder, kRemoveRecoveryCopies, Quoted(first)));
    pid = player.process.dwProcessId;
    ExpectTitleHas(L"[given one.qlt] (0/108");

    DWORD code = 99;
    EXPECT_TRUE(RunSecondCopy(g_quiltraExe, Quoted(second), &code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(L"ゲームを中止しますがよろしいですか？", Answer(IDYES));
    WaitUntilTitleHas(L"[given two.qlt]");
    EXPECT_NE(std::wstring::npos, Title().find(L"[given two.qlt] (0/108")) << Title();

    const std::wstring title = Title();
    code = 99;
    EXPECT_TRUE(RunSecondCopy(g_quiltraExe, L"", &code));
    EXPECT_EQ(0u, code);
    Pause(500);
    EXPECT_EQ(nullptr, FindDialog(pid));
    EXPECT_EQ(title, Title());
}
