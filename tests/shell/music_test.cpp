#include "tests/shell/recording_mci.h"
#include "model/shell_calls.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>
#include <mmsystem.h>

using Texts = std::vector<std::string>;

// The test program's folder, found independently of the code under test: Shift-JIS
// trail bytes may equal '\\', so the walk goes character by character.
static std::string ProgramFolder()
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    const char* name = module;
    for (const char* p = module; *p; p = CharNextA(p))
        if (*p == '\\')
            name = p + 1;
    return std::string(module, name - module);
}

static std::string OpenLoop(const char* type)
{
    return "open \"" + ProgramFolder() + "londonderry.mid\" alias bgm type " + type;
}

static std::string OpenFanfare()
{
    return "open \"" + ProgramFolder() + "fanfare.mid\" alias bgm";
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
    SendMessageA(window, MM_MCINOTIFY, flag, 1);
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

    void UseWineMci() { g_failingCommands = {"type mpegvideo"}; }
};

TEST_F(Music, TheLoopStartsFromSilence)
{
    EXPECT_EQ(Play(1), (Texts{OpenLoop("mpegvideo"), "play bgm repeat"}));
    EXPECT_EQ(g_shell.musicMode, 1);
    for (const SentCommand& sent : g_sentCommands)
        EXPECT_EQ(sent.notifyWindow, nullptr);
}

TEST_F(Music, TheFanfareReplacesTheLoop)
{
    Play(1);
    EXPECT_EQ(Play(2), (Texts{"stop bgm", "close bgm", OpenFanfare(), "play bgm"}));
    EXPECT_EQ(g_shell.musicMode, 2);
}

TEST_F(Music, TheLoopReplacesTheFanfare)
{
    Play(2);
    EXPECT_EQ(Play(1), (Texts{"stop bgm", "close bgm", OpenLoop("mpegvideo"), "play bgm repeat"}));
    EXPECT_EQ(g_shell.musicMode, 1);
}

TEST_F(Music, SilenceStopsAndClosesTheLoop)
{
    Play(1);
    EXPECT_EQ(Play(0), (Texts{"stop bgm", "close bgm"}));
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
    EXPECT_EQ(Play(1), (Texts{OpenLoop("mpegvideo"), "play bgm repeat"}));
    EXPECT_EQ(g_shell.musicMode, 1);
    Play(2);
    EXPECT_EQ(Play(2), (Texts{OpenFanfare(), "play bgm"}));
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
    EXPECT_EQ(Play(1), (Texts{"stop bgm", "close bgm"}));
    EXPECT_EQ(g_shell.musicMode, 0);
}

TEST_F(Music, FailuresAreSilentAndTheModeIsSetAllTheSame)
{
    g_failingCommands = {"open", "play"};
    EXPECT_EQ(Play(2), (Texts{OpenFanfare(), "play bgm"}));
    EXPECT_EQ(g_shell.musicMode, 2);
}

TEST_F(Music, TheFilesAreLookedForInTheProgramFolderWhoseNameHasBlanks)
{
    std::string folder = ProgramFolder();
    // The build puts this test in a folder named with a blank and with characters
    // whose second Shift-JIS byte is a backslash.
    const std::string tail = "表示 ソフト\\";
    ASSERT_GE(folder.size(), tail.size());
    EXPECT_EQ(folder.substr(folder.size() - tail.size()), tail);
    Texts sent = Play(1);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0], "open \"" + folder + "londonderry.mid\" alias bgm type mpegvideo");
}

TEST_F(Music, WithoutMpegvideoTheSequencerPlaysWithNotification)
{
    UseWineMci();
    EXPECT_EQ(Play(1), (Texts{OpenLoop("mpegvideo"), OpenLoop("sequencer"), "play bgm notify"}));
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
    EXPECT_EQ(Notify(window, MCI_NOTIFY_SUCCESSFUL), Texts{"play bgm from 0 notify"});
    EXPECT_EQ(g_sentCommands.back().notifyWindow, window);
    EXPECT_EQ(Notify(window, MCI_NOTIFY_SUCCESSFUL), Texts{"play bgm from 0 notify"});
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
    EXPECT_EQ(Play(1), (Texts{OpenLoop("mpegvideo"), "play bgm notify"}));
}

TEST_F(Music, TheSequencerLoopComesBackAfterTheFanfare)
{
    UseWineMci();
    Play(1);
    EXPECT_EQ(Play(2), (Texts{"stop bgm", "close bgm", OpenFanfare(), "play bgm"}));
    EXPECT_EQ(Play(1),
              (Texts{"stop bgm", "close bgm", OpenLoop("mpegvideo"), OpenLoop("sequencer"),
                     "play bgm notify"}));
}

TEST_F(Music, WhereMpegvideoWorksTheLoopRepeatsAfterASequencerLoop)
{
    UseWineMci();
    Play(1);
    Play(0);
    g_failingCommands.clear();
    EXPECT_EQ(Play(1), (Texts{OpenLoop("mpegvideo"), "play bgm repeat"}));
}

TEST_F(Music, WithNeitherDeviceTheLoopIsSilent)
{
    g_failingCommands = {"londonderry"};
    EXPECT_EQ(Play(1), (Texts{OpenLoop("mpegvideo"), OpenLoop("sequencer"), "play bgm repeat"}));
    EXPECT_EQ(g_shell.musicMode, 1);
}
