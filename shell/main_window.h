// The main frame window, class "Quiltra".
#pragma once
#include <windows.h>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The pieces of start-up that in-process tests repeat without a message loop.
bool RegisterMainWindowClass();
HWND CreateMainWindow();
