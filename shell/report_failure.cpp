#include "shell/report_failure.h"
#include "board/board_window.h"
#include "shell/commands.h"
#include "shell/menu_state.h"
#include "shell/recovery.h"
#include "shell/shell_state.h"
#include "shell/title.h"
#include "board/view_state.h"
#include "box/box_window.h"
#include "files/file_names.h"
#include "model/game_state.h"
#include <initializer_list>
#include <stdio.h>
#include <string.h>

static void AppendLine(const char* text)
{
    char* buffer = g_shell.textBuffer;
    size_t used = strlen(buffer);
    snprintf(buffer + used, sizeof g_shell.textBuffer - used, "\n%s", text);
}

static void AbandonGame()
{
    g_shell.gameActive = 0;
    g_shell.gameModified = 0;
    DiscardRecoveryCopy();
    ReleaseViewResources();
    ResetGameState();
    ClearFileNames();
    ResetView();
    UpdateTitle();
    UpdateGameMenuState();
    RedrawBoard(RDW_INVALIDATE | RDW_ERASE);
    ShowBox(kBoxClose);
    PlayMusic(kMusicSilence);
}

bool ReportFailure(const char* text1, const char* text2, const char* text3, const char* text4,
                   bool abandon)
{
    g_shell.textBuffer[0] = 0;
    if (text1)
        snprintf(g_shell.textBuffer, sizeof g_shell.textBuffer, "%s", text1);
    for (const char* text : {text2, text3, text4})
        if (text)
            AppendLine(text);
    if (g_shell.textBuffer[0])
        MessageBoxA(g_shell.mainWindow, g_shell.textBuffer, "Quiltra", MB_ICONERROR | MB_TASKMODAL);
    if (abandon)
        AbandonGame();
    return false;
}
