// The names of the current picture and game file.
#pragma once

extern char g_picturePath[260];
extern char g_gamePath[260];
extern char g_gameName[260];

// The folders where the picture and game dialogs open, kept in the registry under these names.
struct FileFolders {
    char PicDir[260];
    char GameDir[260];
};

extern FileFolders g_folders;

// Empties all three together: a new picture or an abandoned game has no file yet.
void ClearFileNames();
