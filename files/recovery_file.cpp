#include "files/recovery_file.h"
#include "files/file_names.h"
#include "files/game_file.h"
#include "files/game_format.h"
#include "files/path_field.h"
#include "model/game_state.h"
#include "model/piece_groups.h"
#include <windows.h>
#include <shlobj.h>
#include <string.h>
#include <memory>
#include <vector>
#include <wchar.h>

// Copies written before game files had blocks end in this record instead: a tag, then the
// game file's path in the code page.
static const size_t kOldTagSize = 16;
static const char kOldRecordTag[kOldTagSize + 1] = "Quiltra Recovery";
static const size_t kOldRecordSize = kOldTagSize + kGamePathSize;

static bool GetRecoveryFolder(wchar_t* folder)
{
    wchar_t appData[MAX_PATH];
    if (FAILED(
            SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return false;
    // A folder too deep for the copy's name is none: a name cut short would be another file.
    const int length = swprintf(folder, kPathCapacity, L"%ls\\Quiltra", appData);
    return length >= 0 && length < kPathCapacity;
}

bool GetRecoveryCopyPath(wchar_t* path)
{
    wchar_t folder[kPathCapacity];
    if (!GetRecoveryFolder(folder))
        return false;
    const int length = swprintf(path, kPathCapacity, L"%ls\\recovery.qlt", folder);
    return length >= 0 && length < kPathCapacity;
}

bool WriteRecoveryCopy()
{
    wchar_t folder[kPathCapacity], path[kPathCapacity];
    if (!GetRecoveryFolder(folder) || !GetRecoveryCopyPath(path))
        return false;
    CreateDirectoryW(folder, nullptr);
    std::vector<unsigned char> bytes;
    BuildGameFileFor(g_picturePath, g_game.header, g_game.pieces, g_groups.groupOfCell, &bytes);
    if (g_gamePath[0])
        AppendPathBlock(kGamePathBlock, AsUtf16(g_gamePath), &bytes);
    return WriteGameFile(path, bytes) == nullptr;
}

// A copy left by a build before blocks names its game in its last bytes.
static void ReadOldRecord(const unsigned char* bytes, size_t size, wchar_t* gamePath)
{
    if (size < kOldRecordSize)
        return;
    const unsigned char* record = bytes + size - kOldRecordSize;
    if (memcmp(record, kOldRecordTag, kOldTagSize) == 0 &&
        memchr(record + kOldTagSize, 0, kGamePathSize))
        ReadCodePageField((const char*)record + kOldTagSize, gamePath);
}

void ReadRecoveredGamePath(const wchar_t* copyPath, wchar_t* gamePath)
{
    gamePath[0] = 0;
    std::vector<unsigned char> bytes(kGameFileMaxSize + kOldRecordSize);
    auto game = std::make_unique<LoadedGame>();  // 1.7 MB: too large for the stack
    size_t size = 0;
    if (!ReadFileStart(copyPath, bytes.data(), bytes.size(), &size) ||
        ParseGameFile(bytes.data(), size, game.get()) != kGameFileOk)
        return;
    if (game->unicodeGamePath[0])
        memcpy(gamePath, game->unicodeGamePath, sizeof game->unicodeGamePath);
    else
        ReadOldRecord(bytes.data(), size, gamePath);
}

void DeleteRecoveryCopy()
{
    wchar_t path[kPathCapacity];
    if (GetRecoveryCopyPath(path))
        DeleteFileW(path);
}
