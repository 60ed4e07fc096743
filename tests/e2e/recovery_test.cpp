#include "tests/e2e/game_file_fixture.h"
#include <algorithm>
#include <string.h>

static const wchar_t kRecoveryQuestion[] =
    L"前回のゲームは保存されずに終了しました。復元しますか？";
static const size_t kGamePrefix = 320;  // signature, picture path, header
static const size_t kWizardCountAt = 316;

// A header field of a game file; -1 while the file is missing or shorter.
static int Int32At(const std::vector<char>& bytes, size_t offset)
{
    int value = -1;
    if (bytes.size() >= offset + 4)
        memcpy(&value, bytes.data() + offset, 4);
    return value;
}

class Recovery : public GameFile {
protected:
    // A second program in the same profile, as the next session would start it.
    void StartAgain()
    {
        EndQuiltra(&player);
        ASSERT_TRUE(StartQuiltra(&player, g_quiltraExe, g_workFolder, kKeepRecoveryCopies));
        pid = player.process.dwProcessId;
    }

    bool CopyExists()
    {
        return GetFileAttributesW(RecoveryCopyPath().c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // The copy follows a change within seconds; false if it never came.
    bool WaitForCopyWithWizardUses(int uses)
    {
        DWORD start = GetTickCount();
        while (Int32At(FileBytes(RecoveryCopyPath()), kWizardCountAt) != uses) {
            if (GetTickCount() - start > 15000)
                return false;
            Pause(200);
        }
        return true;
    }

    void AskWizard()
    {
        PostCommand(player.mainWindow, IDM_WIZARD);
        EXPECT_EQ(L"Wizard に頼みますか？", Answer(IDYES));
    }
};

TEST_F(Recovery, AKilledGameComesBackWithItsLastChangeAndItsFileName)
{
    NewGame(g_fixtures + L"\\landscape.jpg");
    std::wstring path = folder + L"\\killed.qlt";
    DeleteFileW(path.c_str());
    SaveAs(path);
    OpenAbandoningTheGame(path);
    Pause(1000);
    ASSERT_FALSE(CopyExists()) << "a game just opened has nothing to recover";

    AskWizard();
    ASSERT_TRUE(WaitForCopyWithWizardUses(1)) << "no copy of the change";
    EndQuiltra(&player);  // TerminateProcess: nothing of the program's own ending runs
    std::vector<char> copy = FileBytes(RecoveryCopyPath());
    ASSERT_EQ(1, Int32At(copy, kWizardCountAt));

    StartAgain();
    EXPECT_EQ(kRecoveryQuestion, Answer(IDYES));
    WaitUntilTitleHas(L"[killed.qlt *]");
    EXPECT_NE(std::wstring::npos, Title().find(L"[killed.qlt *] (")) << Title();
    EXPECT_NE(std::wstring::npos, Title().find(L" - 1 Wizard")) << Title();

    std::wstring again = folder + L"\\again.qlt";
    DeleteFileW(again.c_str());
    SaveAs(again);
    std::vector<char> saved = FileBytes(again);
    ASSERT_GT(saved.size(), kGamePrefix);
    ASSERT_GE(copy.size(), saved.size());
    EXPECT_TRUE(std::equal(saved.begin(), saved.end(), copy.begin()))
        << "the copy's header and pieces differ from the saved game's";
    EXPECT_FALSE(CopyExists()) << "a saved game left its copy";
}

TEST_F(Recovery, NothingIsOfferedAfterASaveANewGameOrAnExitWithoutSaving)
{
    NewGame(g_fixtures + L"\\landscape.jpg");
    ASSERT_TRUE(WaitForCopyWithWizardUses(0));
    const std::wstring path = folder + L"\\saved.qlt";
    SaveThroughDialog(IDM_SAVE, path);
    EXPECT_FALSE(CopyExists()) << "after Save";

    AskWizard();
    ASSERT_TRUE(WaitForCopyWithWizardUses(1));
    PostCommand(player.mainWindow, IDM_NEW);
    EXPECT_EQ(L"ゲームを中止しますがよろしいですか？", Answer(IDYES));
    HWND picture = Dialog(L"画像ファイルを開く");
    ASSERT_NE(nullptr, picture);
    ChooseFile(picture, g_fixtures + L"\\landscape.jpg");
    HWND settings = Dialog(L"設定");
    ASSERT_NE(nullptr, settings);
    PressButton(settings, IDOK);
    WaitUntilTitleHas(L"[ *]");
    EXPECT_FALSE(CopyExists()) << "the abandoned game's copy is still there";

    ASSERT_TRUE(WaitForCopyWithWizardUses(0)) << "the new game has no copy";
    PostMessageW(player.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(L"終了前にゲームを保存しますか？", Answer(IDNO));
    DWORD code = 99;
    ASSERT_TRUE(WaitForExit(&player, 10000, &code));
    EXPECT_FALSE(CopyExists()) << "after No at the exit";

    StartAgain();
    Pause(1500);
    EXPECT_EQ(nullptr, FindDialog(pid)) << "the start asked something";
    EXPECT_EQ(L"Quiltra", Title());
}

TEST_F(Recovery, ACopyCutShortInItsRecordsIsRefusedAndRemoved)
{
    EndQuiltra(&player);
    const std::wstring copyPath = RecoveryCopyPath();
    CreateDirectoryW(copyPath.substr(0, copyPath.rfind(L'\\')).c_str(), nullptr);
    std::string bytes = "Quiltra Game3.00" + std::string(260 + 44, '\0');
    const int header[] = {2, 2, 0, 0, 0, 4};  // columns, rows, fixed, selected, board, pieces
    memcpy(&bytes[276], header, sizeof header);
    bytes += std::string(168 * 2 + 100, '\0');  // four pieces announced, two and a bit there
    ASSERT_TRUE(WriteFileBytes(copyPath, bytes));

    StartAgain();
    EXPECT_EQ(kRecoveryQuestion, Answer(IDYES));
    EXPECT_EQ(L"ゲームファイルを読み込めません。\n" + copyPath, Answer(IDOK));
    EXPECT_EQ(L"Quiltra", Title());
    EXPECT_FALSE(CopyExists());
    EXPECT_EQ(nullptr, FindDialog(pid));
}
