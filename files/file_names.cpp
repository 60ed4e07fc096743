#include "files/file_names.h"
#include <string.h>

char g_picturePath[260];
char g_gamePath[260];
char g_gameName[260];
FileFolders g_folders;

void ClearFileNames()
{
    memset(g_picturePath, 0, sizeof g_picturePath);
    memset(g_gamePath, 0, sizeof g_gamePath);
    memset(g_gameName, 0, sizeof g_gameName);
}
