// Start-up and shutdown of the program.
#pragma once
#include <windows.h>

// The whole life of the program, from settings to settings; returns the exit code.
// The command line's first argument, if any, is a file to open once the window is shown.
int RunQuiltra(HINSTANCE instance, const wchar_t* commandLine);
