// Files given to the program from outside: dropped on the main window, named on the command
// line, or handed over by a second start while this copy runs.
#pragma once
#include <windows.h>
#include <shellapi.h>

// Posted to the main window, so that a drop or a hand-over returns at once and the file is
// opened from the main message loop.
const UINT kOpenGivenFileMessage = WM_APP + 1;
// Tries again later while a dialog of the program is open or a button is held.
const UINT_PTR kGivenFileTimer = 2;

// The main window takes files dropped on it and paths from a second start.
void AcceptGivenFiles(HWND window);
// The file waits until the main window can open it; a later one replaces it.
void OfferGivenFile(const wchar_t* path);
// On kOpenGivenFileMessage and kGivenFileTimer: opens the waiting file, if the time is right.
void OpenWaitingFile();
// Of several files dropped at once, the first is taken.
void OnDropFiles(HDROP drop);
// A path handed over by a second start, in UTF-16 or, from an earlier build, in the code
// page; false for anything else.
bool OnCopyData(const COPYDATASTRUCT* data);
// In a second start: gives path to the copy already running, which comes to the front and
// opens it; false when no running copy took it.
bool HandOverToRunningCopy(const wchar_t* path);
