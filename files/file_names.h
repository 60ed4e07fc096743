// The names of the current picture and game file.
#pragma once
#include "files/path_parts.h"

extern wchar_t g_picturePath[kPathCapacity];
extern wchar_t g_gamePath[kPathCapacity];
extern wchar_t g_gameName[kPathCapacity];

// The folders where the picture and game dialogs open, kept in the registry under these names.
struct FileFolders {
    wchar_t PicDir[kPathCapacity];
    wchar_t GameDir[kPathCapacity];
};

extern FileFolders g_folders;

// Empties all three together: a new picture or an abandoned game has no file yet.
void ClearFileNames();
