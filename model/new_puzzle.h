// The model's side of the New command.
#pragma once
#include <windows.h>

// Starts a fresh game on the open picture: the player chooses the counts in the settings
// dialog, owned by owner, and the picture is cut. False when the dialog was cancelled.
bool NewPuzzle(HWND owner);
