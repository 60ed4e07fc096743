// The names of the current picture and game file.
#pragma once

extern char g_picturePath[260];
extern char g_gamePath[260];
extern char g_gameName[260];

// Empties all three together: a new picture or an abandoned game has no file yet.
void ClearFileNames();
