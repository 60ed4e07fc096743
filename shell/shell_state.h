// The shell's global state block.
#pragma once
#include "win/brushes.h"
#include <windows.h>

// Where the box is created: the values of boxPosition, kept in the registry as BoxPos.
enum BoxPlace { kBoxAtBottom, kBoxAtTop, kBoxAtRight, kBoxAtLeft, kBoxMaximised, kBoxPlaceCount };

struct ShellState {
    char textBuffer[4096];  // shared scratch text: titles, messages, dialog labels
    HINSTANCE instance;
    HWND mainWindow;
    HCURSOR arrowCursor;
    HCURSOR dragCursor;
    HCURSOR crossCursor;
    HMENU boardMenu;
    HMENU boxMenu;
    HDC mainDC;
    BYTE gameActive;
    BYTE gameModified;
    char GameDir[MAX_PATH];
    char PicDir[MAX_PATH];
    int OptSound;
    int OptGrayBorder;
    int OptGoalBorder;
    HWND toolbarWindow;
    HWND statusWindow;
    HWND boardWindow;
    int zoomIndex;
    int scrollX;
    int scrollY;
    int boxPosition;  // a BoxPlace
    BYTE goalPictureShown;
    // The board's mouse (board/board_mouse.h).
    int mouseMode;  // a BoardMouseMode
    int dragKind;   // a DragKind
    POINT lastPoint;
    POINT bandAnchor;
    RECT bandRect;
    int musicMode;  // a MusicMode
};

extern ShellState g_shell;
