#include "shell/toolbar.h"
#include "board/board_state.h"
#include "board/board_window.h"
#include "board/scroll.h"
#include "board/view_state.h"
#include "resources/resource_ids.h"
#include "shell/shell_state.h"
#include "win/dpi.h"
#include <stdlib.h>
#include <string.h>

// Designed at 96 DPI and scaled to the window's: the board starts this far down, under the
// toolbar's buttons of this size, and the status bar is at least this high.
const int kToolbarBand = 30;
static const int kStatusBand = 20;
static const int kButtonWidth = 23, kButtonHeight = 21;

// The button pictures, drawn at 100, 150 and 200 %; a DPI between takes the nearest.
struct ToolbarStrip {
    UINT dpi;
    int bitmap;
    int imageWidth, imageHeight;
};
static const ToolbarStrip kStrips[] = {
    {96, IDB_TOOLBAR, 16, 15},
    {144, IDB_TOOLBAR150, 24, 23},
    {192, IDB_TOOLBAR200, 32, 30},
};

struct ToolbarHelp {
    int command;
    const wchar_t* tip;
    const wchar_t* help;
};

static const ToolbarHelp kToolbarHelp[] = {
    {IDM_NEW, L"新規作成", L"ゲームファイルを新規作成します"},
    {IDM_OPEN, L"開く", L"ゲームファイルを開きます"},
    {IDM_SAVE, L"保存", L"ゲームファイルを保存します"},
    {IDM_ENLARGE, L"拡大", L"画面を拡大します"},
    {IDM_REDUCE, L"縮小", L"画面を縮小します"},
    {IDM_BOXTOGGLE, L"箱", L"箱を表示します"},
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

static void SetStatusText(const wchar_t* text)
{
    SendMessageW(g_shell.statusWindow, SB_SETTEXTW, 0 | SBT_NOBORDERS, (LPARAM)text);
}

static const ToolbarStrip& NearestStrip(UINT dpi)
{
    const ToolbarStrip* nearest = &kStrips[0];
    for (const ToolbarStrip& strip : kStrips)
        if (abs((int)strip.dpi - (int)dpi) < abs((int)nearest->dpi - (int)dpi))
            nearest = &strip;
    return *nearest;
}

static int StatusHeight()
{
    RECT status;
    GetWindowRect(g_shell.statusWindow, &status);
    return status.bottom - status.top;
}

// The bar is as high as its font, which does not grow quite as the DPI does: it is held at
// its designed height, scaled. What the bar adds to the least height it is given is learnt
// from the bar itself.
static void HoldStatusHeight()
{
    const int target = ScaledToDpi(kStatusBand, g_shell.dpi);
    SendMessageW(g_shell.statusWindow, SB_SETMINHEIGHT, target, 0);
    SendMessageW(g_shell.statusWindow, WM_SIZE, 0, 0);
    const int added = StatusHeight() - target;
    if (added > 0) {
        SendMessageW(g_shell.statusWindow, SB_SETMINHEIGHT, target - added, 0);
        SendMessageW(g_shell.statusWindow, WM_SIZE, 0, 0);
    }
}

// The sizes given at 100 % are those the toolbar always had, and the larger strips' are in
// proportion. At 96 DPI the buttons and the status bar's font are left as the system makes
// them, so that a themed Windows draws them as it always did.
static void CreateBars()
{
    const TBBUTTON buttons[] = {
        Button(0, IDM_NEW),    Button(0, 0), Button(1, IDM_OPEN),
        Button(2, IDM_SAVE),   Button(0, 0), Button(3, IDM_ENLARGE),
        Button(4, IDM_REDUCE), Button(0, 0), Button(5, IDM_BOXTOGGLE),
    };
    const ToolbarStrip& strip = NearestStrip(g_shell.dpi);
    g_shell.toolbarWindow =
        CreateToolbarEx(g_shell.mainWindow, WS_CHILD | TBSTYLE_TOOLTIPS, 0, 6, g_shell.instance,
                        strip.bitmap, buttons, sizeof buttons / sizeof buttons[0], strip.imageWidth,
                        strip.imageHeight, strip.imageWidth, strip.imageWidth, sizeof(TBBUTTON));
    if (g_shell.dpi != kDesignDpi)
        SendMessageW(g_shell.toolbarWindow, TB_SETBUTTONSIZE, 0,
                     MAKELPARAM(ScaledToDpi(kButtonWidth, g_shell.dpi),
                                ScaledToDpi(kButtonHeight, g_shell.dpi)));
    ShowWindow(g_shell.toolbarWindow, SW_SHOW);

    g_shell.statusWindow = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", g_shell.mainWindow, 1);
    if (g_shell.dpi != kDesignDpi) {
        g_shell.statusFont = MakeStatusFont(g_shell.dpi);
        SendMessageW(g_shell.statusWindow, WM_SETFONT, (WPARAM)g_shell.statusFont, FALSE);
    }
    HoldStatusHeight();
    SetStatusText(L"");
}

void CreateChildWindows()
{
    g_shell.dpi = WindowDpi(g_shell.mainWindow);
    CreateBars();
    CreateBoardWindow(g_shell.mainWindow, ScaledToDpi(kToolbarBand, g_shell.dpi));
}

void RebuildBarsForDpi(UINT dpi)
{
    g_shell.dpi = dpi;
    DestroyWindow(g_shell.toolbarWindow);
    DestroyWindow(g_shell.statusWindow);
    DeleteStatusFont();
    CreateBars();
}

void DeleteStatusFont()
{
    if (g_shell.statusFont)
        DeleteObject(g_shell.statusFont);
    g_shell.statusFont = nullptr;
}

void LayoutChildren()
{
    SendMessageW(g_shell.toolbarWindow, WM_SIZE, 0, 0);
    SendMessageW(g_shell.statusWindow, WM_SIZE, 0, 0);
    RECT client;
    GetClientRect(g_shell.mainWindow, &client);
    const int top = ScaledToDpi(kToolbarBand, g_shell.dpi);
    MoveWindow(g_board.window, 0, top, client.right, client.bottom - top - StatusHeight(), TRUE);
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
    case (int)TTN_NEEDTEXTW: {
        NMTTDISPINFOW* info = (NMTTDISPINFOW*)header;
        wcsncpy(info->szText, row->tip, ARRAYSIZE(info->szText) - 1);
        info->szText[ARRAYSIZE(info->szText) - 1] = 0;
        break;
    }
    case (int)TTN_SHOW: SetStatusText(row->help); break;
    case (int)TTN_POP: SetStatusText(L""); break;
    }
}
