// The recovery copy of an unsaved game: the game file's bytes followed by a record that
// names the game's own file, kept in the user's local application data ("Quiltra").
// Loading ignores what follows the last piece record, so the copy loads as a game file.
#pragma once
#include <stddef.h>

// The copy's full path; false when the system names no local application data folder.
bool GetRecoveryCopyPath(char* path, size_t size);
// Writes the current game and its file's path as the copy; false when it could not.
bool WriteRecoveryCopy();
// The game file the copy was made from (260 bytes); empty when it had none or the
// record is missing.
void ReadRecoveredGamePath(const char* copyPath, char* gamePath);
void DeleteRecoveryCopy();
