#include "shell/report_failure.h"
#include "shell/game_view.h"
#include "shell/shell_state.h"
#include "win/failure_box.h"

bool ReportFailure(const char* text1, const char* text2, const char* text3, const char* text4,
                   bool abandon)
{
    ShowFailure(g_shell.mainWindow, text1, text2, text3, text4);
    if (abandon)
        EndGame();
    return false;
}
