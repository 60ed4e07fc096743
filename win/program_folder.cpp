#include "win/program_folder.h"
#include "files/path_parts.h"
#include <windows.h>

bool GetProgramFolder(wchar_t* folder, int capacity)
{
    wchar_t module[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    CopyFolderPart(module, folder, capacity);
    return true;
}
