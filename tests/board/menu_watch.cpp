#include "tests/board/menu_watch.h"
#include "resources/resource_ids.h"
#include <string.h>

static UINT_PTR g_timer;
static WORD g_command;
static MenuSighting g_sighting;

static void CALLBACK LookForMenu(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu))
        return;
    KillTimer(nullptr, g_timer);
    g_timer = 0;
    g_sighting.seen = true;
    GetWindowRect(menu, &g_sighting.frame);
    HMENU items = (HMENU)SendMessageA(menu, MN_GETHMENU, 0, 0);
    char text[64] = "";
    GetMenuStringA(items, IDM_PUTINTOBOX, text, sizeof text, MF_BYCOMMAND);
    g_sighting.hasPutIntoBox = strcmp(text, "箱に入れる(&I)") == 0;
    // The item is chosen by its access key, as a player would: the menu itself then sends
    // the command to whichever window owns it.
    char item[64] = "";
    const char* key = nullptr;
    if (g_command && GetMenuStringA(items, g_command, item, sizeof item, MF_BYCOMMAND))
        key = strchr(item, '&');
    if (key && key[1])
        PostMessageA(menu, WM_CHAR, (WPARAM)key[1], 0);
    else
        EndMenu();
}

void WatchForMenu(WORD command)
{
    g_sighting = MenuSighting{};
    g_command = command;
    g_timer = SetTimer(nullptr, 0, 50, LookForMenu);
}

MenuSighting EndMenuWatch()
{
    if (g_timer)
        KillTimer(nullptr, g_timer);
    g_timer = 0;
    return g_sighting;
}
