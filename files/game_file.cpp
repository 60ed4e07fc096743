#include "files/game_file.h"
#include "files/file_names.h"
#include "files/game_format.h"
#include "files/open_picture.h"
#include "files/path_parts.h"
#include "model/game_state.h"
#include "win/failure_box.h"
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <vector>

static const char kGameFilter[] = "ゲームファイル(*.qlt)\0*.qlt\0すべてのファイル(*.*)\0*.*\0";

// Loading reads a whole file into this block before anything of the game changes.
static LoadedGame s_loaded;
static unsigned char s_fileBytes[kGameFileMaxSize];

static void FillGameDialog(OPENFILENAMEA* dialog, HWND owner, char* path, const char* title,
                           DWORD flags)
{
    dialog->lStructSize = sizeof *dialog;
    dialog->hwndOwner = owner;
    dialog->lpstrFilter = kGameFilter;
    dialog->nFilterIndex = 1;
    dialog->lpstrFile = path;
    dialog->nMaxFile = MAX_PATH;
    dialog->lpstrInitialDir = g_folders.GameDir;
    dialog->lpstrTitle = title;
    dialog->lpstrDefExt = "qlt";
    dialog->Flags = flags;
}

// The game file's folder becomes the dialogs' next folder; its name goes in the title.
static void RememberGamePath(const char* path)
{
    memset(g_gamePath, 0, sizeof g_gamePath);
    memset(g_gameName, 0, sizeof g_gameName);
    snprintf(g_gamePath, sizeof g_gamePath, "%s", path);
    CopyFolderPart(g_gamePath, g_folders.GameDir, sizeof g_folders.GameDir);
    snprintf(g_gameName, sizeof g_gameName, "%s", FileNamePart(g_gamePath));
}

// Reads at most what a game file can hold; anything after the last record is ignored.
static bool ReadGameBytes(const char* path, size_t* size)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    *size = 0;
    DWORD got = 0;
    while (
        *size < sizeof s_fileBytes &&
        ReadFile(file, s_fileBytes + *size, (DWORD)(sizeof s_fileBytes - *size), &got, nullptr) &&
        got > 0)
        *size += got;
    CloseHandle(file);
    return true;
}

static const char* ProblemText(GameFileProblem problem)
{
    // clang-format off
    switch (problem) {
    case kGameFileNoSignature:    return "ゲームファイルヘッダを読み込めません。";
    case kGameFileWrongSignature: return "ゲームファイルの形式が不正です。";
    case kGameFileNoHeader:       return "ゲームファイルを読み込めません。（ヘッダ）";
    case kGameFileNoRecords:      return "ゲームファイルを読み込めません。";
    default:                      return "ゲームファイルの形式が不正です。";
    }
    // clang-format on
}

static void TakeLoadedGame()
{
    g_game.header = s_loaded.header;
    memcpy(g_game.pieces, s_loaded.pieces, sizeof(PieceRecord) * s_loaded.header.pieceCount);
}

// A moved picture is asked for again; the game then goes on without a file name.
static GameLoad OpenGamePicture(HWND owner)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(g_picturePath, &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return OpenPicture(owner, false) == kPictureOpened ? kGameLoaded : kGameWithoutPicture;
    }
    // Not a failure yet, so not ShowFailure: a plain notice, not task-modal, before the
    // player is asked for the picture.
    MessageBoxA(owner, "画像ファイルがありません", "Quiltra", MB_ICONERROR);
    return OpenPicture(owner, true) == kPictureOpened ? kGameLoadedWithNewPicture
                                                      : kGameWithoutPicture;
}

// The old game stays on the board, whole, until the new one has its picture: the file's
// records reach g_game only then.
GameLoad LoadGameFile(HWND owner, const char* path, const char* gameFile)
{
    size_t size = 0;
    if (!ReadGameBytes(path, &size)) {
        ShowFailure(owner, "ゲームファイルを開けません。（保存）", path, nullptr, nullptr);
        return kGameRefused;
    }
    GameFileProblem problem = ParseGameFile(s_fileBytes, size, &s_loaded);
    if (problem != kGameFileOk) {
        ShowFailure(owner, ProblemText(problem), path, nullptr, nullptr);
        return kGameRefused;
    }
    memcpy(g_picturePath, s_loaded.picturePath, sizeof g_picturePath);
    // Before the picture: finding a moved one leaves the game without a file name.
    if (gameFile[0])
        RememberGamePath(gameFile);
    GameLoad load = OpenGamePicture(owner);
    if (GameWasLoaded(load))
        TakeLoadedGame();
    return load;
}

bool IsGameFile(const char* path)
{
    if (_stricmp(ExtensionPart(path), ".qlt") == 0)
        return true;
    unsigned char start[kGameSignatureSize];
    DWORD got = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool read = ReadFile(file, start, sizeof start, &got, nullptr);
    CloseHandle(file);
    return read && HasGameSignature(start, got);
}

GameLoad OpenGameFile(HWND owner)
{
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog = {};
    FillGameDialog(&dialog, owner, path, "ゲームファイルを開く",
                   OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    if (!GetOpenFileNameA(&dialog))
        return kGameNotChosen;
    // Even a refused file's folder is where the next dialog opens.
    RememberGamePath(path);
    return LoadGameFile(owner, path, path);
}

static bool WriteAll(HANDLE file, const unsigned char* bytes, size_t size)
{
    DWORD written = 0;
    return WriteFile(file, bytes, (DWORD)size, &written, nullptr) && written == size;
}

// The game goes to a temporary file beside the target, which replaces the target only
// when every byte is on the disk: a failed save never damages the previous file.
const char* WriteGameFile(const char* path, const std::vector<unsigned char>& bytes)
{
    char folder[MAX_PATH], temporary[MAX_PATH];
    CopyFolderPart(path, folder, sizeof folder);
    // A folder too deep for a temporary name (over 246 bytes) gets the file written in place.
    const bool inPlace = !GetTempFileNameA(folder[0] ? folder : ".", "qlt", 0, temporary);
    if (inPlace)
        snprintf(temporary, sizeof temporary, "%s", path);
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (!inPlace)
            DeleteFileA(temporary);
        return "ゲームファイルを開けません。（保存）";
    }
    const char* failure = nullptr;
    if (!WriteAll(file, bytes.data(), kGameFilePrefixSize))
        failure = "ゲームファイルを保存できません。（ヘッダ）";
    else if (g_game.header.pieceCount <= 0 ||
             !WriteAll(file, bytes.data() + kGameFilePrefixSize,
                       bytes.size() - kGameFilePrefixSize) ||
             !FlushFileBuffers(file))
        failure = "ゲームファイルを保存できません。";
    CloseHandle(file);
    if (!failure && !inPlace &&
        !MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        failure = "ゲームファイルを開けません。（保存）";
    if (failure && !inPlace)
        DeleteFileA(temporary);
    return failure;
}

bool SaveGameFile(HWND owner, bool askName)
{
    char path[MAX_PATH];
    memcpy(path, g_gamePath, sizeof path);
    if (askName || !path[0]) {
        OPENFILENAMEA dialog = {};
        FillGameDialog(&dialog, owner, path, "ゲームファイルを保存",
                       OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
        if (!GetSaveFileNameA(&dialog))
            return false;
    }
    std::vector<unsigned char> bytes;
    BuildGameFile(g_picturePath, g_game.header, g_game.pieces, &bytes);
    if (const char* failure = WriteGameFile(path, bytes)) {
        ShowFailure(owner, failure, path, nullptr, nullptr);
        return false;
    }
    RememberGamePath(path);
    return true;
}
