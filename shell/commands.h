// The one dispatcher of every command: menus, toolbar, right-button menus and the wheel.
#pragma once
#include <windows.h>

void RunCommand(WORD command);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
