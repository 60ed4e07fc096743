#include "files/file_names.h"
#include <string.h>

wchar_t g_picturePath[kPathCapacity];
wchar_t g_gamePath[kPathCapacity];
wchar_t g_gameName[kPathCapacity];
FileFolders g_folders;

void ClearFileNames()
{
    memset(g_picturePath, 0, sizeof g_picturePath);
    memset(g_gamePath, 0, sizeof g_gamePath);
    memset(g_gameName, 0, sizeof g_gameName);
}
