#include "shell/commands.h"
#include "shell/menu_state.h"
#include "shell/program_folder.h"
#include "shell/shell_state.h"
#include "resources/resource_ids.h"
#include <shellapi.h>
#include <stdio.h>

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// The help page lies beside the program, not in the current directory.
static void OpenHelpContents()
{
    char folder[MAX_PATH], page[MAX_PATH + 16];
    GetProgramFolder(folder, sizeof folder);
    snprintf(page, sizeof page, "%shelp\\index.html", folder);
    ShellExecuteA(nullptr, "open", page, nullptr, nullptr, SW_SHOWNORMAL);
}

static void RedrawBoard(UINT flags)
{
    RedrawWindow(g_shell.boardWindow, nullptr, nullptr, flags);
}

static void FlipOption(int* option)
{
    *option = *option ? 0 : 1;
    UpdateOptionChecks();
}

void RunCommand(WORD command)
{
    switch (command) {
    case IDM_ABOUT:
        DialogBoxParamA(g_shell.instance, MAKEINTRESOURCEA(IDD_ABOUT), g_shell.mainWindow,
                        AboutDialogProc, 0);
        break;
    case IDM_CONTENTS:
        OpenHelpContents();
        break;
    case IDM_EXIT:
        SendMessageA(g_shell.mainWindow, WM_CLOSE, 0, 0);
        break;
    case IDM_GOALPICTURE:
        g_shell.goalPictureShown = !g_shell.goalPictureShown;
        UpdateBoxMenuChecks();
        break;
    case IDM_BOXBOTTOM: case IDM_BOXTOP: case IDM_BOXRIGHT: case IDM_BOXLEFT: case IDM_BOXMAXIMISED:
        g_shell.boxPosition = command - IDM_BOXBOTTOM;
        UpdateBoxMenuChecks();
        break;
    case IDM_OPTSOUND:
        FlipOption(&g_shell.OptSound);
        PlayMusic(1);
        break;
    case IDM_OPTGRAYBORDER:
        FlipOption(&g_shell.OptGrayBorder);
        RedrawBoard(RDW_INVALIDATE);
        break;
    case IDM_OPTGOALBORDER:
        FlipOption(&g_shell.OptGoalBorder);
        RedrawBoard(RDW_INVALIDATE);
        break;
    }
}
