#include "tests/e2e/driver.h"
#include "tests/e2e/e2e_context.h"
#include "resources/resource_ids.h"
#include "shell/zoom_steps.h"
#include <gtest/gtest.h>

static const int kZooms[] = {1, 2, 3, 5, 7, 10, 15, 20, 30, 50, 75, 100, 150, 200, 300, 500};

class NewGame : public testing::Test {
protected:
    void SetUp() override
    {
        DeleteSettingsKey();
        WriteSettingNumber(L"OptSound", 0);
        ASSERT_TRUE(StartQuiltra(&player, g_quiltraExe, g_workFolder));
        pid = player.process.dwProcessId;
    }
    void TearDown() override { EndQuiltra(&player); }

    std::wstring Fixture(const wchar_t* name) { return g_fixtures + L"\\" + name; }

    HWND ChoosePicture(const std::wstring& path)
    {
        HWND dialog = WaitForDialogTitled(pid, L"画像ファイルを開く", 5000);
        if (dialog)
            ChooseFile(dialog, path);
        return dialog;
    }

    // With across pieces across, or as many as the settings offer first.
    void StartGame(const wchar_t* picture, int across = 0)
    {
        PostCommand(player.mainWindow, IDM_NEW);
        ASSERT_NE(nullptr, ChoosePicture(Fixture(picture)));
        HWND settings = WaitForDialogTitled(pid, L"設定", 60000);
        ASSERT_NE(nullptr, settings);
        if (across)
            ChoosePiecesAcross(settings, across);
        PressButton(settings, IDOK);
        DWORD start = GetTickCount();
        while (WindowTitle(player.mainWindow) == L"Quiltra" && GetTickCount() - start < 10000)
            Pause(50);
    }

    // The largest step whose board (1.4 times the picture) fits 98 % of the frame's width.
    int FittingZoom(int pictureWidth)
    {
        RECT frame;
        GetWindowRect(player.mainWindow, &frame);
        int fit = 1;
        for (int zoom : kZooms)
            if ((int)(pictureWidth * 1.4 * zoom / 100.0) <= (frame.right - frame.left) * 0.98)
                fit = zoom;
        return fit;
    }

    // The title once it shows the zoom, or a dialog has come, or a minute has passed.
    std::wstring WaitForZoom(int zoom)
    {
        const std::wstring shown = L"x " + std::to_wstring(zoom) + L"%";
        DWORD start = GetTickCount();
        std::wstring title;
        while ((title = WindowTitle(player.mainWindow)).find(shown) == std::wstring::npos &&
               !FindDialog(pid) && GetTickCount() - start < 60000)
            Pause(50);
        return title;
    }

    std::wstring GameTitle(int fixed, int pieces, int zoom)
    {
        return L"Quiltra - [ *] (" + std::to_wstring(fixed) + L"/" + std::to_wstring(pieces) +
            L" ピース) x " + std::to_wstring(zoom) + L"%";
    }

    Player player;
    DWORD pid = 0;
};

TEST_F(NewGame, PictureAndSettingsGiveAnUnsavedPuzzleAtTheZoomThatFits)
{
    StartGame(L"landscape.jpg");
    int zoom = FittingZoom(640);
    EXPECT_EQ(GameTitle(0, 108, zoom), WindowTitle(player.mainWindow));

    // The goal frame: a grey line one pixel above and left of the picture's place.
    HWND board = FindChild(player.mainWindow, L"Quiltra Sight");
    ASSERT_TRUE(ShowNotMaximised(player.mainWindow));
    Pause(500);
    HBITMAP shot = CaptureWindow(board);
    SaveBitmap(shot, g_workFolder + L"\\new-game.bmp");
    RECT client;
    GetClientRect(board, &client);
    int boardWidth = (int)(640 * 1.4 * zoom / 100.0);
    int boardHeight = (int)(480 * 1.4 * zoom / 100.0);
    // Centred, not scrolled: the frame's place is known.
    ASSERT_GE(client.right, boardWidth);
    ASSERT_GE(client.bottom, boardHeight);
    int offsetX = client.right > boardWidth ? (client.right - boardWidth) / 2 : 0;
    int offsetY = client.bottom > boardHeight ? (client.bottom - boardHeight) / 2 : 0;
    int frameLeft = offsetX + (int)(640 * 0.2 * zoom / 100.0) - 1;
    int frameTop = offsetY + (int)(480 * 0.2 * zoom / 100.0) - 1;
    EXPECT_EQ(RGB(127, 127, 127), PixelAt(shot, frameLeft + 40, frameTop));
    EXPECT_EQ(RGB(127, 127, 127), PixelAt(shot, frameLeft, frameTop + 40));
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(shot, frameLeft + 40, frameTop - 2));
    EXPECT_EQ(RGB(255, 255, 255), PixelAt(shot, frameLeft + 40, frameTop + 2));
    DeleteObject(shot);
}

TEST_F(NewGame, AnsweringNoOrCancellingThePictureKeepsTheGame)
{
    StartGame(L"landscape.jpg");
    std::wstring title = WindowTitle(player.mainWindow);

    PostCommand(player.mainWindow, IDM_NEW);
    HWND question = WaitForDialog(pid, 5000);
    ASSERT_NE(nullptr, question);
    EXPECT_EQ(L"ゲームを中止しますがよろしいですか？", MessageBoxText(question));
    PressButton(question, IDNO);
    Pause(300);
    EXPECT_EQ(nullptr, FindDialog(pid));
    EXPECT_EQ(title, WindowTitle(player.mainWindow));

    PostCommand(player.mainWindow, IDM_NEW);
    question = WaitForDialog(pid, 5000);
    ASSERT_NE(nullptr, question);
    PressButton(question, IDYES);
    HWND picture = WaitForDialogTitled(pid, L"画像ファイルを開く", 5000);
    ASSERT_NE(nullptr, picture);
    PressButton(picture, IDCANCEL);
    Pause(300);
    EXPECT_EQ(title, WindowTitle(player.mainWindow));
}

TEST_F(NewGame, CancellingTheSettingsLeavesNoGame)
{
    PostCommand(player.mainWindow, IDM_NEW);
    ASSERT_NE(nullptr, ChoosePicture(Fixture(L"landscape.jpg")));
    HWND settings = WaitForDialogTitled(pid, L"設定", 10000);
    ASSERT_NE(nullptr, settings);
    PressButton(settings, IDCANCEL);
    Pause(300);
    EXPECT_EQ(nullptr, FindDialog(pid));
    EXPECT_EQ(L"Quiltra", WindowTitle(player.mainWindow));
}

TEST_F(NewGame, AFileThatIsNoPictureIsRefusedWithItsPath)
{
    PostCommand(player.mainWindow, IDM_NEW);
    const std::wstring path = Fixture(L"notes.xyz");
    ASSERT_NE(nullptr, ChoosePicture(path));
    HWND message = WaitForDialogTitled(pid, L"Quiltra", 10000);
    ASSERT_NE(nullptr, message);
    EXPECT_EQ(L"この形式のファイルには対応していません。\n" + path, MessageBoxText(message));
    PressButton(message, IDOK);
    Pause(300);
    EXPECT_EQ(L"Quiltra", WindowTitle(player.mainWindow));
}

// The decoder is handed a text file that a picture's name promised, with a game open each
// time: the message names the file, the game ends, and the program lives on.
TEST_F(NewGame, ATextFileNamedAsAPictureIsRefusedEveryTimeWithItsPath)
{
    const std::wstring path = Fixture(L"notes.jpg");
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        StartGame(L"landscape.jpg");
        PostCommand(player.mainWindow, IDM_NEW);
        HWND question = WaitForDialog(pid, 5000);
        ASSERT_NE(nullptr, question);
        PressButton(question, IDYES);
        ASSERT_NE(nullptr, ChoosePicture(path));
        HWND message = WaitForDialogTitled(pid, L"Quiltra", 10000);
        ASSERT_NE(nullptr, message);
        EXPECT_EQ(L"画像データを取得できません。\n" + path, MessageBoxText(message));
        PressButton(message, IDOK);
        Pause(300);
        ASSERT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(player.process.hProcess, 0));
        EXPECT_EQ(L"Quiltra", WindowTitle(player.mainWindow));
    }
}

TEST_F(NewGame, ZoomStepsStopAtBothEnds)
{
    StartGame(L"landscape.jpg");
    PostCommand(player.mainWindow, IDM_ZOOM300);
    EXPECT_EQ(GameTitle(0, 108, 300),
              WaitForTitle(player.mainWindow, GameTitle(0, 108, 300), 10000));
    PostCommand(player.mainWindow, IDM_ENLARGE);
    EXPECT_EQ(GameTitle(0, 108, 500),
              WaitForTitle(player.mainWindow, GameTitle(0, 108, 500), 10000));
    PostCommand(player.mainWindow, IDM_ENLARGE);
    Pause(500);
    EXPECT_EQ(GameTitle(0, 108, 500), WindowTitle(player.mainWindow));

    PostCommand(player.mainWindow, IDM_ZOOM2);
    PostCommand(player.mainWindow, IDM_REDUCE);
    EXPECT_EQ(GameTitle(0, 108, 1), WaitForTitle(player.mainWindow, GameTitle(0, 108, 1), 10000));
    PostCommand(player.mainWindow, IDM_REDUCE);
    Pause(500);
    EXPECT_EQ(GameTitle(0, 108, 1), WindowTitle(player.mainWindow));
    EXPECT_EQ(nullptr, FindDialog(pid));
}

// As large as a camera's or a phone's biggest photos.
TEST_F(NewGame, AnEightyMegapixelPhotoOpens)
{
    StartGame(L"photo80mp.jpg");
    EXPECT_NE(std::wstring::npos, WindowTitle(player.mainWindow).find(L"(0/99 ピース) x 7%"))
        << WindowTitle(player.mainWindow);
    EXPECT_EQ(nullptr, FindDialog(pid));

    // At full size it is shown like every other zoom.
    PostCommand(player.mainWindow, IDM_ZOOM100);
    EXPECT_NE(std::wstring::npos, WaitForZoom(100).find(L"x 100%"));
    EXPECT_EQ(nullptr, FindDialog(pid));
}

// A zoom is made only where it is shown, so every zoom shows any picture the program opens:
// an ordinary photo of 12 megapixels, a large one of 48 and a 16000 x 8000 panorama, each
// cut 100 across, from 1 % to 500 % and back, without a size message.
TEST_F(NewGame, EveryZoomShowsLargePicturesWithoutAMessage)
{
    for (const wchar_t* picture : {L"huge.jpg", L"photo48mp.jpg", L"panorama.jpg"}) {
        SCOPED_TRACE(picture);
        if (WindowTitle(player.mainWindow) != L"Quiltra") {
            EndQuiltra(&player);
            ASSERT_TRUE(StartQuiltra(&player, g_quiltraExe, g_workFolder));
            pid = player.process.dwProcessId;
        }
        StartGame(picture, 100);
        ASSERT_NE(L"Quiltra", WindowTitle(player.mainWindow));
        for (int step = 0; step < 2 * kZoomStepCount; ++step) {
            const ZoomStep& z =
                ZoomSteps[step < kZoomStepCount ? step : 2 * kZoomStepCount - 1 - step];
            PostCommand(player.mainWindow, z.command);
            const std::wstring zoom = L"x " + std::to_wstring(z.percent) + L"%";
            EXPECT_NE(std::wstring::npos, WaitForZoom(z.percent).find(zoom)) << zoom;
            ASSERT_EQ(nullptr, FindDialog(pid)) << zoom;
        }
    }
}
