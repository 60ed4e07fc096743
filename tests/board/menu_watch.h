// A popup menu runs its own message loop until it closes, so a test that may open one
// watches for it from a timer, which that loop still dispatches.
#pragma once
#include <windows.h>

struct MenuSighting {
    bool seen;
    RECT frame;          // screen coordinates
    bool hasPutIntoBox;  // holds "箱に入れる(&I)"
};

// After the menu is found it is closed; with a command other than 0 that item is chosen
// through the menu, by its access key.
void WatchForMenu(WORD command);
// Stops watching and tells what was seen.
MenuSighting EndMenuWatch();
