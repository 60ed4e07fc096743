// The one door to MCI. It sits alone in its object file so that a test can link a
// recording sender of its own in its place.
#pragma once
#include <windows.h>

// Sends one MCI command string without a return buffer; notifyWindow (may be null)
// receives MM_MCINOTIFY when the command asks for "notify". Returns the MCI error
// code, 0 on success.
DWORD SendMciCommand(const wchar_t* command, HWND notifyWindow);
