// The pointers the board and the box show; loaded once, at start.
#pragma once
#include <windows.h>

struct Cursors {
    HCURSOR arrow;
    HCURSOR drag;   // the program's hand, from its resources
    HCURSOR cross;  // drawing a selection band
};

extern Cursors g_cursors;

void LoadCursors(HINSTANCE instance);
