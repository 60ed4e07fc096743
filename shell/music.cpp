#include "model/shell_calls.h"
#include "shell/music_loop.h"
#include "shell/shell_state.h"
#include "win/mci_send.h"
#include "win/program_folder.h"
#include <wchar.h>

// Wine 8's mpegvideo cannot open MIDI (error 277) while its sequencer can; the sequencer
// knows no "repeat", so the loop is kept by restarting the tune at each of its ends.
static bool g_sequencerLoop;  // the device open under bgm is that fallback sequencer

// Every failure is silent: a missing file or MIDI device only means no music.
static DWORD SendOpen(const wchar_t* format)
{
    wchar_t folder[MAX_PATH], command[2 * MAX_PATH];
    if (!GetProgramFolder(folder, MAX_PATH))
        return MCIERR_FILE_NOT_FOUND;
    // The folder already starts with the drive, so the drive placeholder stays empty.
    swprintf(command, 2 * MAX_PATH, format, L"", folder);
    return SendMciCommand(command, nullptr);
}

static void PlayBackground()
{
    // While the loop plays, the reopen fails only because the alias is in use: no fallback.
    if (SendOpen(L"open \"%ls%lslondonderry.mid\" alias bgm type mpegvideo") == 0)
        g_sequencerLoop = false;
    else if (g_shell.musicMode != kMusicBackground &&
             SendOpen(L"open \"%ls%lslondonderry.mid\" alias bgm type sequencer") == 0)
        g_sequencerLoop = true;
    if (g_sequencerLoop)
        SendMciCommand(L"play bgm notify", MusicLoopWindow());
    else
        SendMciCommand(L"play bgm repeat", nullptr);
}

void PlayMusic(int mode)
{
    int effective = g_shell.OptSound ? mode : kMusicSilence;
    if (g_shell.musicMode != kMusicSilence && g_shell.musicMode != effective) {
        SendMciCommand(L"stop bgm", nullptr);
        SendMciCommand(L"close bgm", nullptr);
        g_sequencerLoop = false;
    }
    if (effective == kMusicBackground) {
        PlayBackground();
    } else if (effective == kMusicFanfare) {
        SendOpen(L"open \"%ls%lsfanfare.mid\" alias bgm");
        SendMciCommand(L"play bgm", nullptr);
    }
    g_shell.musicMode = effective;
}
