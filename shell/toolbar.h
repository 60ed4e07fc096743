// The toolbar, the status bar and the board window inside the main window.
#pragma once
#include <windows.h>
#include <commctrl.h>

// The bars for the main window's DPI, and the board window.
void CreateChildWindows();
// The window moved to a screen of another DPI: the bars are made again for it.
void RebuildBarsForDpi(UINT dpi);
void DeleteStatusFont();
void LayoutChildren();
void HandleToolbarNotify(const NMHDR* header);
