#include "tests/board/menu_watch.h"
#include "resources/resource_ids.h"
#include <wchar.h>

static UINT_PTR g_timer;
static WORD g_command;
static MenuSighting g_sighting;

static void CALLBACK LookForMenu(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu))
        return;
    KillTimer(nullptr, g_timer);
    g_timer = 0;
    g_sighting.seen = true;
    GetWindowRect(menu, &g_sighting.frame);
    HMENU items = (HMENU)SendMessageW(menu, MN_GETHMENU, 0, 0);
    wchar_t text[64] = L"";
    GetMenuStringW(items, IDM_PUTINTOBOX, text, 64, MF_BYCOMMAND);
    g_sighting.hasPutIntoBox = wcscmp(text, L"箱に入れる(&I)") == 0;
    // The item is chosen by its access key, as a player would: the menu itself then sends
    // the command to whichever window owns it.
    wchar_t item[64] = L"";
    const wchar_t* key = nullptr;
    if (g_command && GetMenuStringW(items, g_command, item, 64, MF_BYCOMMAND))
        key = wcschr(item, L'&');
    if (key && key[1])
        PostMessageW(menu, WM_CHAR, (WPARAM)key[1], 0);
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
