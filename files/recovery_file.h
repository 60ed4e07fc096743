// The recovery copy of an unsaved game: the game file's bytes followed by a block that
// names the game's own file, kept in the user's local application data ("Quiltra"). The
// copy loads as a game file: a block it does not know is skipped.
#pragma once
#include <stddef.h>

// The copy's full path (kPathCapacity units); false when the system names no local
// application data folder, or the path does not fit.
bool GetRecoveryCopyPath(wchar_t* path);
// Writes the current game and its file's path as the copy; false when it could not.
bool WriteRecoveryCopy();
// The game file the copy was made from (kPathCapacity units); empty when it had none or
// the copy does not say.
void ReadRecoveredGamePath(const wchar_t* copyPath, wchar_t* gamePath);
void DeleteRecoveryCopy();
