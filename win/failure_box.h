// The message box that tells the player what failed.
#pragma once
#include <windows.h>

// Shows the texts given (each after the first on a line of its own, null ones left out) in
// an error box owned by owner, captioned "Quiltra"; nothing when every text is null.
void ShowFailure(HWND owner, const char* text1, const char* text2, const char* text3,
                 const char* text4);
