#include "win/program_folder.h"
#include "files/path_parts.h"
#include <windows.h>

void GetProgramFolder(char* folder, int capacity)
{
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    CopyFolderPart(module, folder, capacity);
}
