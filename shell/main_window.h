// The main frame window, class "Quiltra".
#pragma once
#include <windows.h>

// A second start finds the running copy by this class.
const wchar_t kMainWindowClass[] = L"Quiltra";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The pieces of start-up that in-process tests repeat without a message loop.
bool RegisterMainWindowClass();
HWND CreateMainWindow();
