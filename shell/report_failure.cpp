#include "shell/report_failure.h"
#include "shell/game_view.h"
#include "shell/shell_state.h"
#include <initializer_list>
#include <stdio.h>
#include <string.h>

static void AppendLine(const char* text)
{
    char* buffer = g_shell.textBuffer;
    size_t used = strlen(buffer);
    snprintf(buffer + used, sizeof g_shell.textBuffer - used, "\n%s", text);
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
        EndGame();
    return false;
}
