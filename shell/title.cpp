#include "shell/title.h"
#include "board/board_state.h"
#include "files/file_names.h"
#include "model/game_state.h"
#include "shell/recovery.h"
#include "shell/shell_state.h"
#include "shell/title_text.h"
#include "shell/zoom_steps.h"

void UpdateTitle()
{
    if (!g_board.gameActive) {
        SetWindowTextW(g_shell.mainWindow, L"Quiltra");
        return;
    }
    wchar_t title[kPathCapacity + 128];
    FormatGameTitle(title, kPathCapacity + 128, g_gameName, g_shell.gameModified != 0,
                    g_game.header.fixedCount, g_game.header.pieceCount,
                    ZoomSteps[g_shell.zoomIndex].percent, g_game.header.wizardCount);
    SetWindowTextW(g_shell.mainWindow, title);
}

void SetModified(bool modified)
{
    // Every change is written to the recovery copy soon; a save leaves nothing to recover.
    if (modified)
        ScheduleRecoveryCopy();
    else
        DiscardRecoveryCopy();
    if ((g_shell.gameModified != 0) == modified)
        return;
    g_shell.gameModified = modified;
    UpdateTitle();
}
