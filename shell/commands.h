// The one dispatcher of every command: menus, toolbar, right-button menus and the wheel.
#pragma once
#include <windows.h>

void RunCommand(WORD command);
// Opens a file given from outside as the menu commands would: a game file as Open does, a
// picture as New does (the settings come), after the same question about the game.
void OpenGivenFile(const wchar_t* path);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
