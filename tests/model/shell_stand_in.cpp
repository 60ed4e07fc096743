#include "tests/model/shell_stand_in.h"

#include "model/shell_calls.h"

ShellStandIn g_shell;

void ResetShellStandIn()
{
    g_shell = ShellStandIn();
}

void SetModified(bool modified)
{
    g_shell.calls.push_back(modified ? "SetModified(1)" : "SetModified(0)");
}

void UpdateTitle()
{
    g_shell.calls.push_back("UpdateTitle");
}

void PlayMusic(int mode)
{
    g_shell.calls.push_back("PlayMusic(" + std::to_string(mode) + ")");
}

void SoundFixedBeep()
{
    g_shell.calls.push_back("Beep");
}

void InvalidateBoardWindow()
{
    g_shell.calls.push_back("InvalidateBoard");
}

void ShowCompletionMessage()
{
    g_shell.calls.push_back("CompletionMessage");
}

void GetBoardScroll(int* scrollX, int* scrollY)
{
    *scrollX = g_shell.scrollX;
    *scrollY = g_shell.scrollY;
}
