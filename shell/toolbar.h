// The toolbar, the status bar and the board window inside the main window.
#pragma once
#include <windows.h>
#include <commctrl.h>

void CreateChildWindows();
void LayoutChildren();
void HandleToolbarNotify(const NMHDR* header);
