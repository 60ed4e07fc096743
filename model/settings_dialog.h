// The dialog "設定" in which the player chooses how many pieces across and down.
#pragma once
#include <windows.h>

// Leaves the chosen counts in g_game's header. True only when the player pressed OK.
bool RunSettingsDialog(HWND owner);

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Brings both lists and the piece count label of the open dialog up to date with the header.
void ShowSettingsValues();
