#include "files/recovery_file.h"
#include "files/file_names.h"
#include "files/game_file.h"
#include "files/game_format.h"
#include "model/game_state.h"
#include <windows.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>
#include <vector>

// The record at the copy's very end: a tag, then the game file's path as in memory.
static const size_t kTagSize = 16;
static const char kRecordTag[kTagSize + 1] = "Quiltra Recovery";
static const size_t kRecordSize = kTagSize + kGamePathSize;

static bool GetRecoveryFolder(char* folder, size_t size)
{
    char appData[MAX_PATH];
    if (FAILED(
            SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return false;
    return (size_t)snprintf(folder, size, "%s\\Quiltra", appData) < size;
}

bool GetRecoveryCopyPath(char* path, size_t size)
{
    char folder[MAX_PATH];
    return GetRecoveryFolder(folder, sizeof folder) &&
        (size_t)snprintf(path, size, "%s\\recovery.qlt", folder) < size;
}

bool WriteRecoveryCopy()
{
    char folder[MAX_PATH], path[MAX_PATH];
    if (!GetRecoveryFolder(folder, sizeof folder) || !GetRecoveryCopyPath(path, sizeof path))
        return false;
    CreateDirectoryA(folder, nullptr);
    std::vector<unsigned char> bytes;
    BuildGameFile(g_picturePath, g_game.header, g_game.pieces, &bytes);
    bytes.insert(bytes.end(), kRecordTag, kRecordTag + kTagSize);
    bytes.insert(bytes.end(), g_gamePath, g_gamePath + kGamePathSize);
    return WriteGameFile(path, bytes) == nullptr;
}

void ReadRecoveredGamePath(const char* copyPath, char* gamePath)
{
    memset(gamePath, 0, kGamePathSize);
    HANDLE file = CreateFileA(copyPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    unsigned char record[kRecordSize];
    DWORD got = 0;
    if (SetFilePointer(file, -(LONG)kRecordSize, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
        ReadFile(file, record, kRecordSize, &got, nullptr) && got == kRecordSize &&
        memcmp(record, kRecordTag, kTagSize) == 0 && memchr(record + kTagSize, 0, kGamePathSize))
        memcpy(gamePath, record + kTagSize, kGamePathSize);
    CloseHandle(file);
}

void DeleteRecoveryCopy()
{
    char path[MAX_PATH];
    if (GetRecoveryCopyPath(path, sizeof path))
        DeleteFileA(path);
}
