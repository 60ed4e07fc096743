// Start-up and shutdown of the program.
#pragma once
#include <windows.h>

// The whole life of the program, from settings to settings; returns the exit code.
int RunQuiltra(HINSTANCE instance);

// The pieces of start-up that in-process tests repeat without a message loop.
bool RegisterMainWindowClass();
HWND CreateMainWindow();
