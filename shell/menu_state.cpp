#include "shell/menu_state.h"
#include "board/board_state.h"
#include "box/box_state.h"
#include "model/piece_groups.h"
#include "resources/resource_ids.h"
#include "shell/shell_state.h"
#include "shell/zoom_steps.h"

static_assert(IDM_BOXLAST - IDM_BOXFIRST + 1 == kBoxPlaceCount, "one box command a place");

// Items that mean nothing without a game, in the main menu and the board's menu.
static const UINT kGameItems[] = {
    IDM_SAVE,        IDM_SAVEAS,    IDM_ENLARGE, IDM_REDUCE,   IDM_BOXTOGGLE, IDM_PUTINTOBOX,
    IDM_GOALPICTURE, IDM_BOXBOTTOM, IDM_BOXTOP,  IDM_BOXRIGHT, IDM_BOXLEFT,   IDM_BOXMAXIMISED,
};

static HMENU MainMenu()
{
    return GetMenu(g_shell.mainWindow);
}

void UpdateGameMenuState()
{
    UINT state = MF_BYCOMMAND | (g_board.gameActive ? MF_ENABLED : MF_GRAYED);
    HMENU menus[] = {MainMenu(), g_shell.boardMenu};
    EnableMenuItem(menus[0], IDM_WIZARD, state);
    for (HMENU menu : menus) {
        for (UINT item : kGameItems)
            EnableMenuItem(menu, item, state);
        for (const ZoomStep& step : ZoomSteps)
            EnableMenuItem(menu, step.command, state);
    }
}

static void CheckItem(HMENU menu, UINT item, bool checked)
{
    CheckMenuItem(menu, item, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void UpdateOptionChecks()
{
    HMENU menu = MainMenu();
    CheckItem(menu, IDM_OPTSOUND, g_shell.OptSound != 0);
    CheckItem(menu, IDM_OPTGRAYBORDER, g_board.OptGrayBorder != 0);
    CheckItem(menu, IDM_OPTGOALBORDER, g_board.OptGoalBorder != 0);
    CheckItem(menu, IDM_OPTJOINPIECES, g_groups.joining != 0);
}

void UpdateBoxMenuChecks()
{
    HMENU menus[] = {MainMenu(), GetSubMenu(g_shell.boardMenu, 0), GetSubMenu(g_shell.boxMenu, 0)};
    for (HMENU menu : menus) {
        CheckItem(menu, IDM_GOALPICTURE, g_box.goalPictureShown != 0);
        for (int place = kBoxAtBottom; place < kBoxPlaceCount; ++place)
            CheckItem(menu, IDM_BOXFIRST + place, place == g_box.boxPosition);
    }
    // Only the box's own menu has it.
    CheckItem(menus[2], IDM_EDGESONLY, g_box.edgesOnly != 0);
}

void CheckZoomItem(int zoomIndex)
{
    HMENU menus[] = {MainMenu(), g_shell.boardMenu, g_shell.boxMenu};
    for (HMENU menu : menus)
        for (int i = 0; i < kZoomStepCount; ++i)
            CheckItem(menu, ZoomSteps[i].command, i == zoomIndex);
}
