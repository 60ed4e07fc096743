// Start-up and shutdown of the program.
#pragma once
#include <windows.h>

// The whole life of the program, from settings to settings; returns the exit code.
int RunQuiltra(HINSTANCE instance);
