// The shell's global state block. The board (board/board_state.h) and the box
// (box/box_state.h) keep their own.
#pragma once
#include "win/brushes.h"
#include <windows.h>

struct ShellState {
    HINSTANCE instance;
    HWND mainWindow;
    HMENU boardMenu;
    HMENU boxMenu;
    BYTE gameModified;
    int OptSound;
    HWND toolbarWindow;
    HWND statusWindow;
    HFONT statusFont;  // the status bar's, at the window's DPI
    UINT dpi;          // the main window's, which the bars and the board's place follow
    int zoomIndex;
    int musicMode;  // a MusicMode
};

extern ShellState g_shell;
