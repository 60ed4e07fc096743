#include "win/program_folder.h"
#include "files/path_parts.h"
#include <windows.h>

void GetProgramFolder(wchar_t* folder, int capacity)
{
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    CopyFolderPart(module, folder, capacity);
}
