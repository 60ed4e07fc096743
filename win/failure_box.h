// The message box that tells the player what failed.
#pragma once
#include <windows.h>

// Shows the texts given (each after the first on a line of its own, null ones left out) in
// an error box owned by owner, captioned "Quiltra"; nothing when every text is null.
void ShowFailure(HWND owner, const wchar_t* text1, const wchar_t* text2, const wchar_t* text3,
                 const wchar_t* text4);

// Why a path is refused when it is longer than the program keeps (kPathCapacity units).
extern const wchar_t kPathTooLongText[];

// After a file dialog returned no file: a path chosen too long for the program's buffer is
// told to the player, as the dialog itself says nothing of it.
void ReportPathTooLong(HWND owner);
