// The real mouse through SendInput: an absolute move to a screen point, with any button
// flags (MOUSEEVENTF_LEFTDOWN and so on) in the same event.
#pragma once
#include <windows.h>

void SendMouseInput(DWORD flags, POINT screen);
