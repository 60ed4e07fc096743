#include "shell/commands.h"
#include "shell/program_folder.h"
#include "shell/shell_state.h"
#include "model/shell_calls.h"
#include <stdio.h>

// Every failure is silent: a missing file or MIDI device only means no music.
static void SendMci(const char* command)
{
    MCIERROR error = mciSendStringA(command, nullptr, 0, nullptr);
    if (error) {
        char text[1024];
        mciGetErrorStringA(error, text, sizeof text);
    }
}

static void SendOpen(const char* format)
{
    char folder[MAX_PATH], command[2 * MAX_PATH];
    GetProgramFolder(folder, sizeof folder);
    // The folder already starts with the drive, so the drive placeholder stays empty.
    snprintf(command, sizeof command, format, "", folder);
    SendMci(command);
}

void PlayMusic(int mode)
{
    int effective = g_shell.OptSound ? mode : 0;
    if (g_shell.musicMode != 0 && g_shell.musicMode != effective) {
        SendMci("stop bgm");
        SendMci("close bgm");
    }
    if (effective == 1) {
        SendOpen("open \"%s%slondonderry.mid\" alias bgm type mpegvideo");
        SendMci("play bgm repeat");
    } else if (effective == 2) {
        SendOpen("open \"%s%sfanfare.mid\" alias bgm");
        SendMci("play bgm");
    }
    g_shell.musicMode = effective;
}
