#include "tests/shell/recording_mci.h"
#include "model/shell_calls.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>
#include <mmsystem.h>

using Texts = std::vector<std::wstring>;

// The test program's folder, found independently of the code under test.
static std::wstring ProgramFolder()
{
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    return std::wstring(module, wcsrchr(module, L'\\') + 1);
}

static std::wstring OpenLoop(const wchar_t* type)
{
    return L"open \"" + ProgramFolder() + L"londonderry.mid\" alias bgm type " + type;
}

static std::wstring OpenFanfare()
{
    return L"open \"" + ProgramFolder() + L"fanfare.mid\" alias bgm";
}

static Texts SentSince(size_t first)
{
    Texts texts;
    for (size_t i = first; i < g_sentCommands.size(); ++i)
        texts.push_back(g_sentCommands[i].text);
    return texts;
}

// Plays mode and returns what it sent.
static Texts Play(int mode)
{
    size_t first = g_sentCommands.size();
    PlayMusic(mode);
    return SentSince(first);
}

static Texts Notify(HWND window, WPARAM flag)
{
    size_t first = g_sentCommands.size();
    SendMessageW(window, MM_MCINOTIFY, flag, 1);
    return SentSince(first);
}

class Music : public testing::Test {
protected:
    void SetUp() override
    {
        g_shell.OptSound = 1;
        g_shell.musicMode = 0;
        g_failingCommands.clear();
        g_sentCommands.clear();
    }
    // Back to silence through the module itself, which forgets the device it had open.
    void TearDown() override { PlayMusic(kMusicSilence); }

    void UseWineMci() { g_failingCommands = {L"type mpegvideo"}; }
};

TEST_F(Music, TheLoopStartsFromSilence)
{
    EXPECT_EQ(Play(1), (Texts{OpenLoop(L"mpegvideo"), L"play bgm repeat"}));
    EXPECT_EQ(g_shell.musicMode, 1);
    for (const SentCommand& sent : g_sentCommands)
        EXPECT_EQ(sent.notifyWindow, nullptr);
}

TEST_F(Music, TheFanfareReplacesTheLoop)
{
    Play(1);
    EXPECT_EQ(Play(2), (Texts{L"stop bgm", L"close bgm", OpenFanfare(), L"play bgm"}));
    EXPECT_EQ(g_shell.musicMode, 2);
}

TEST_F(Music, TheLoopReplacesTheFanfare)
{
    Play(2);
    EXPECT_EQ(Play(1),
              (Texts{L"stop bgm", L"close bgm", OpenLoop(L"mpegvideo"), L"play bgm repeat"}));
    EXPECT_EQ(g_shell.musicMode, 1);
}

TEST_F(Music, SilenceStopsAndClosesTheLoop)
{
    Play(1);
    EXPECT_EQ(Play(0), (Texts{L"stop bgm", L"close bgm"}));
    EXPECT_EQ(g_shell.musicMode, 0);
}

TEST_F(Music, SilenceAfterSilenceSendsNothing)
{
    EXPECT_EQ(Play(0), Texts{});
    EXPECT_EQ(g_shell.musicMode, 0);
}

TEST_F(Music, TheSameModeAgainSendsOpenAndPlayAgain)
{
    Play(1);
    EXPECT_EQ(Play(1), (Texts{OpenLoop(L"mpegvideo"), L"play bgm repeat"}));
    EXPECT_EQ(g_shell.musicMode, 1);
    Play(2);
    EXPECT_EQ(Play(2), (Texts{OpenFanfare(), L"play bgm"}));
    EXPECT_EQ(g_shell.musicMode, 2);
}

TEST_F(Music, WithSoundOffNothingStarts)
{
    g_shell.OptSound = 0;
    EXPECT_EQ(Play(1), Texts{});
    EXPECT_EQ(Play(2), Texts{});
    EXPECT_EQ(g_shell.musicMode, 0);
}

TEST_F(Music, TurningSoundOffSilencesWhatPlays)
{
    Play(2);
    g_shell.OptSound = 0;
    EXPECT_EQ(Play(1), (Texts{L"stop bgm", L"close bgm"}));
    EXPECT_EQ(g_shell.musicMode, 0);
}

TEST_F(Music, FailuresAreSilentAndTheModeIsSetAllTheSame)
{
    g_failingCommands = {L"open", L"play"};
    EXPECT_EQ(Play(2), (Texts{OpenFanfare(), L"play bgm"}));
    EXPECT_EQ(g_shell.musicMode, 2);
}

TEST_F(Music, TheFilesAreLookedForInTheProgramFolderWhoseNameHasBlanks)
{
    std::wstring folder = ProgramFolder();
    // The build puts this test in a folder named with blanks, with characters whose second
    // Shift-JIS byte is a backslash, and with characters the code page does not spell.
    const std::wstring tail = L"表示 ソフト Zoë ♥\\";
    ASSERT_GE(folder.size(), tail.size());
    EXPECT_EQ(folder.substr(folder.size() - tail.size()), tail);
    Texts sent = Play(1);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0], L"open \"" + folder + L"londonderry.mid\" alias bgm type mpegvideo");
}

TEST_F(Music, WithoutMpegvideoTheSequencerPlaysWithNotification)
{
    UseWineMci();
    EXPECT_EQ(Play(1), (Texts{OpenLoop(L"mpegvideo"), OpenLoop(L"sequencer"), L"play bgm notify"}));
    EXPECT_EQ(g_shell.musicMode, 1);
    HWND window = g_sentCommands.back().notifyWindow;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(Music, TheSequencerStartsOverAtItsEnd)
{
    UseWineMci();
    Play(1);
    HWND window = g_sentCommands.back().notifyWindow;
    EXPECT_EQ(Notify(window, MCI_NOTIFY_SUCCESSFUL), Texts{L"play bgm from 0 notify"});
    EXPECT_EQ(g_sentCommands.back().notifyWindow, window);
    EXPECT_EQ(Notify(window, MCI_NOTIFY_SUCCESSFUL), Texts{L"play bgm from 0 notify"});
}

TEST_F(Music, AStoppedOrReplacedTuneDoesNotStartOver)
{
    UseWineMci();
    Play(1);
    HWND window = g_sentCommands.back().notifyWindow;
    EXPECT_EQ(Notify(window, MCI_NOTIFY_ABORTED), Texts{});
    EXPECT_EQ(Notify(window, MCI_NOTIFY_SUPERSEDED), Texts{});
    Play(2);
    EXPECT_EQ(Notify(window, MCI_NOTIFY_SUCCESSFUL), Texts{});
    Play(0);
    EXPECT_EQ(Notify(window, MCI_NOTIFY_SUCCESSFUL), Texts{});
}

TEST_F(Music, TheSequencerLoopGoesOnWhenAskedAgain)
{
    UseWineMci();
    Play(1);
    EXPECT_EQ(Play(1), (Texts{OpenLoop(L"mpegvideo"), L"play bgm notify"}));
}

TEST_F(Music, TheSequencerLoopComesBackAfterTheFanfare)
{
    UseWineMci();
    Play(1);
    EXPECT_EQ(Play(2), (Texts{L"stop bgm", L"close bgm", OpenFanfare(), L"play bgm"}));
    EXPECT_EQ(Play(1),
              (Texts{L"stop bgm", L"close bgm", OpenLoop(L"mpegvideo"), OpenLoop(L"sequencer"),
                     L"play bgm notify"}));
}

TEST_F(Music, WhereMpegvideoWorksTheLoopRepeatsAfterASequencerLoop)
{
    UseWineMci();
    Play(1);
    Play(0);
    g_failingCommands.clear();
    EXPECT_EQ(Play(1), (Texts{OpenLoop(L"mpegvideo"), L"play bgm repeat"}));
}

TEST_F(Music, WithNeitherDeviceTheLoopIsSilent)
{
    g_failingCommands = {L"londonderry"};
    EXPECT_EQ(Play(1), (Texts{OpenLoop(L"mpegvideo"), OpenLoop(L"sequencer"), L"play bgm repeat"}));
    EXPECT_EQ(g_shell.musicMode, 1);
}
