#include "files/game_file.h"
#include "files/file_names.h"
#include "files/game_format.h"
#include "files/open_picture.h"
#include "files/path_field.h"
#include "files/path_parts.h"
#include "model/game_state.h"
#include "model/piece_groups.h"
#include "win/failure_box.h"
#include <windows.h>
#include <string.h>
#include <vector>
#include <wchar.h>

static const wchar_t kGameFilter[] = L"ゲームファイル(*.qlt)\0*.qlt\0すべてのファイル(*.*)\0*.*\0";

// Loading reads a whole file into this block before anything of the game changes.
static LoadedGame s_loaded;
static unsigned char s_fileBytes[kGameFileMaxSize];

static void FillGameDialog(OPENFILENAMEW* dialog, HWND owner, wchar_t* path, const wchar_t* title,
                           DWORD flags)
{
    dialog->lStructSize = sizeof *dialog;
    dialog->hwndOwner = owner;
    dialog->lpstrFilter = kGameFilter;
    dialog->nFilterIndex = 1;
    dialog->lpstrFile = path;
    dialog->nMaxFile = kPathCapacity;
    dialog->lpstrInitialDir = g_folders.GameDir;
    dialog->lpstrTitle = title;
    dialog->lpstrDefExt = L"qlt";
    dialog->Flags = flags;
}

// The game file's folder becomes the dialogs' next folder; its name goes in the title.
static void RememberGamePath(const wchar_t* path)
{
    memset(g_gamePath, 0, sizeof g_gamePath);
    memset(g_gameName, 0, sizeof g_gameName);
    if (!CopyWholePath(path, g_gamePath, kPathCapacity))
        return;
    CopyFolderPart(g_gamePath, g_folders.GameDir, kPathCapacity);
    wcscpy(g_gameName, FileNamePart(g_gamePath));
}

bool ReadFileStart(const wchar_t* path, unsigned char* buffer, size_t capacity, size_t* size)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    *size = 0;
    DWORD got = 0;
    while (*size < capacity &&
           ReadFile(file, buffer + *size, (DWORD)(capacity - *size), &got, nullptr) && got > 0)
        *size += got;
    CloseHandle(file);
    return true;
}

static const wchar_t* ProblemText(GameFileProblem problem)
{
    // clang-format off
    switch (problem) {
    case kGameFileNoSignature:    return L"ゲームファイルヘッダを読み込めません。";
    case kGameFileWrongSignature: return L"ゲームファイルの形式が不正です。";
    case kGameFileNoHeader:       return L"ゲームファイルを読み込めません。（ヘッダ）";
    case kGameFileNoRecords:      return L"ゲームファイルを読み込めません。";
    default:                      return L"ゲームファイルの形式が不正です。";
    }
    // clang-format on
}

static void TakeLoadedGame()
{
    g_game.header = s_loaded.header;
    memcpy(g_game.pieces, s_loaded.pieces, sizeof(PieceRecord) * s_loaded.header.pieceCount);
    // With joining off the pieces lie where they were, each alone; showing the game lays
    // the groups out again at its zoom.
    if (g_groups.joining)
        memcpy(g_groups.groupOfCell, s_loaded.groupOfCell, sizeof g_groups.groupOfCell);
    else
        ClearGroups();
}

// A moved picture is asked for again; the game then goes on without a file name.
static GameLoad OpenGamePicture(HWND owner)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(g_picturePath, &found);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return OpenPicture(owner, false) == kPictureOpened ? kGameLoaded : kGameWithoutPicture;
    }
    // Not a failure yet, so not ShowFailure: a plain notice, not task-modal, before the
    // player is asked for the picture.
    MessageBoxW(owner, L"画像ファイルがありません", L"Quiltra", MB_ICONERROR);
    return OpenPicture(owner, true) == kPictureOpened ? kGameLoadedWithNewPicture
                                                      : kGameWithoutPicture;
}

// The old game stays on the board, whole, until the new one has its picture: the file's
// records reach g_game only then.
GameLoad LoadGameFile(HWND owner, const wchar_t* path, const wchar_t* gameFile)
{
    size_t size = 0;
    if (!ReadFileStart(path, s_fileBytes, sizeof s_fileBytes, &size)) {
        ShowFailure(owner, L"ゲームファイルを開けません。（保存）", path, nullptr, nullptr);
        return kGameRefused;
    }
    GameFileProblem problem = ParseGameFile(s_fileBytes, size, &s_loaded);
    if (problem != kGameFileOk) {
        ShowFailure(owner, ProblemText(problem), path, nullptr, nullptr);
        return kGameRefused;
    }
    TakePicturePath(s_loaded, g_picturePath);
    // Before the picture: finding a moved one leaves the game without a file name.
    if (gameFile[0])
        RememberGamePath(gameFile);
    GameLoad load = OpenGamePicture(owner);
    if (GameWasLoaded(load))
        TakeLoadedGame();
    return load;
}

bool IsGameFile(const wchar_t* path)
{
    if (_wcsicmp(ExtensionPart(path), L".qlt") == 0)
        return true;
    unsigned char start[kGameSignatureSize];
    DWORD got = 0;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool read = ReadFile(file, start, sizeof start, &got, nullptr);
    CloseHandle(file);
    return read && HasGameSignature(start, got);
}

GameLoad OpenGameFile(HWND owner)
{
    wchar_t path[kPathCapacity] = L"";
    OPENFILENAMEW dialog = {};
    FillGameDialog(&dialog, owner, path, L"ゲームファイルを開く",
                   OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    if (!GetOpenFileNameW(&dialog)) {
        ReportPathTooLong(owner);
        return kGameNotChosen;
    }
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
const wchar_t* WriteGameFile(const wchar_t* path, const std::vector<unsigned char>& bytes)
{
    wchar_t folder[kPathCapacity], temporary[MAX_PATH];
    CopyFolderPart(path, folder, kPathCapacity);
    // A folder too deep for a temporary name (over 246 units) gets the file written in place.
    const bool inPlace = !GetTempFileNameW(folder[0] ? folder : L".", L"qlt", 0, temporary);
    if (inPlace)
        wcscpy(temporary, path);
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (!inPlace)
            DeleteFileW(temporary);
        return L"ゲームファイルを開けません。（保存）";
    }
    const wchar_t* failure = nullptr;
    if (!WriteAll(file, bytes.data(), kGameFilePrefixSize))
        failure = L"ゲームファイルを保存できません。（ヘッダ）";
    else if (g_game.header.pieceCount <= 0 ||
             !WriteAll(file, bytes.data() + kGameFilePrefixSize,
                       bytes.size() - kGameFilePrefixSize) ||
             !FlushFileBuffers(file))
        failure = L"ゲームファイルを保存できません。";
    CloseHandle(file);
    if (!failure && !inPlace &&
        !MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        failure = L"ゲームファイルを開けません。（保存）";
    if (failure && !inPlace)
        DeleteFileW(temporary);
    return failure;
}

bool SaveGameFile(HWND owner, bool askName)
{
    wchar_t path[kPathCapacity];
    memcpy(path, g_gamePath, sizeof path);
    if (askName || !path[0]) {
        OPENFILENAMEW dialog = {};
        FillGameDialog(&dialog, owner, path, L"ゲームファイルを保存",
                       OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
        if (!GetSaveFileNameW(&dialog)) {
            ReportPathTooLong(owner);
            return false;
        }
    }
    std::vector<unsigned char> bytes;
    BuildGameFileFor(g_picturePath, g_game.header, g_game.pieces, g_groups.groupOfCell, &bytes);
    if (const wchar_t* failure = WriteGameFile(path, bytes)) {
        ShowFailure(owner, failure, path, nullptr, nullptr);
        return false;
    }
    RememberGamePath(path);
    return true;
}
