#include "shell/toolbar.h"
#include "board/board_state.h"
#include "board/board_window.h"
#include "board/scroll.h"
#include "board/view_state.h"
#include "resources/resource_ids.h"
#include "shell/shell_state.h"
#include <string.h>

// Fixed bands, not measured from the bars.
const int kToolbarBand = 30;
const int kStatusBand = 20;

struct ToolbarHelp {
    int command;
    const char* tip;
    const char* help;
};

static const ToolbarHelp kToolbarHelp[] = {
    {IDM_NEW, "新規作成", "ゲームファイルを新規作成します"},
    {IDM_OPEN, "開く", "ゲームファイルを開きます"},
    {IDM_SAVE, "保存", "ゲームファイルを保存します"},
    {IDM_ENLARGE, "拡大", "画面を拡大します"},
    {IDM_REDUCE, "縮小", "画面を縮小します"},
    {IDM_BOXTOGGLE, "箱", "箱を表示します"},
};

static TBBUTTON Button(int image, int command)
{
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = command ? TBSTYLE_BUTTON : TBSTYLE_SEP;
    return button;
}

static void SetStatusText(const char* text)
{
    SendMessageA(g_shell.statusWindow, SB_SETTEXTA, 0 | SBT_NOBORDERS, (LPARAM)text);
}

void CreateChildWindows()
{
    const TBBUTTON buttons[] = {
        Button(0, IDM_NEW),    Button(0, 0), Button(1, IDM_OPEN),
        Button(2, IDM_SAVE),   Button(0, 0), Button(3, IDM_ENLARGE),
        Button(4, IDM_REDUCE), Button(0, 0), Button(5, IDM_BOXTOGGLE),
    };
    g_shell.toolbarWindow = CreateToolbarEx(
        g_shell.mainWindow, WS_CHILD | TBSTYLE_TOOLTIPS, 0, 6, g_shell.instance, IDB_TOOLBAR,
        buttons, sizeof buttons / sizeof buttons[0], 16, 15, 16, 16, sizeof(TBBUTTON));
    ShowWindow(g_shell.toolbarWindow, SW_SHOW);

    g_shell.statusWindow = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", g_shell.mainWindow, 1);
    SetStatusText("");

    CreateBoardWindow(g_shell.mainWindow, kToolbarBand);
}

void LayoutChildren()
{
    SendMessageA(g_shell.toolbarWindow, WM_SIZE, 0, 0);
    SendMessageA(g_shell.statusWindow, WM_SIZE, 0, 0);
    RECT client;
    GetClientRect(g_shell.mainWindow, &client);
    MoveWindow(g_board.window, 0, kToolbarBand, client.right,
               client.bottom - kToolbarBand - kStatusBand, TRUE);
    UpdateScrollBars();
    FreeViewBitmaps(false);
    RedrawBoard(RDW_INVALIDATE | RDW_ERASE);
}

void HandleToolbarNotify(const NMHDR* header)
{
    const ToolbarHelp* row = nullptr;
    for (const ToolbarHelp& help : kToolbarHelp)
        if ((UINT_PTR)help.command == header->idFrom)
            row = &help;
    if (!row)
        return;
    switch ((int)header->code) {
    case (int)TTN_NEEDTEXTA: {
        NMTTDISPINFOA* info = (NMTTDISPINFOA*)header;
        strncpy(info->szText, row->tip, sizeof info->szText - 1);
        info->szText[sizeof info->szText - 1] = 0;
        break;
    }
    case (int)TTN_SHOW: SetStatusText(row->help); break;
    case (int)TTN_POP: SetStatusText(""); break;
    }
}
