#include "files/open_picture.h"
#include "board/view_state.h"
#include "files/file_names.h"
#include "files/path_parts.h"
#include "win/failure_box.h"
#include "win/image_library.h"
#include <commdlg.h>
#include <string.h>
#include <wchar.h>

static const wchar_t kPictureFilter[] = L"JPEG ファイル(*.jpg,*.jpeg)\0*.jpg;*.jpeg\0"
                                        L"ビットマップファイル(*.bmp)\0*.bmp\0"
                                        L"PNG ファイル(*.png)\0*.png\0"
                                        L"GIF ファイル(*.gif)\0*.gif\0"
                                        L"すべてのファイル(*.*)\0*.*\0";

struct KnownExtension {
    const wchar_t* extension;
    int type;
};

static const KnownExtension kKnownExtensions[] = {
    {L".jpg", kPictureJpeg}, {L".jpeg", kPictureJpeg}, {L".bmp", kPictureBmp},
    {L".png", kPicturePng},  {L".gif", kPictureGif},
};

// Indexed by PictureType.
static PictureHandle (*const kLoaders[])(const wchar_t* path) = {
    nullptr, LoadBmpPicture, LoadJpegPicture, LoadPngPicture, LoadGifPicture,
};

// A picture chosen or given starts an untitled game, and the next dialog opens in its folder.
static void TakeNewPicturePath(const wchar_t* path)
{
    ClearFileNames();
    CopyWholePath(path, g_picturePath, kPathCapacity);
    CopyFolderPart(g_picturePath, g_folders.PicDir, kPathCapacity);
}

static bool ChoosePicture(HWND owner)
{
    wchar_t path[kPathCapacity] = L"";
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kPictureFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = kPathCapacity;
    dialog.lpstrInitialDir = g_folders.PicDir;
    dialog.lpstrTitle = L"画像ファイルを開く";
    dialog.lpstrDefExt = L"jpg";
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) {
        ReportPathTooLong(owner);
        return false;
    }
    TakeNewPicturePath(path);
    return true;
}

// The extension decides whenever it is a known one, even if the contents disagree;
// only other names are left to the probe. kPictureUnknown when neither knows the file.
static int DecidePictureType(const wchar_t* path)
{
    const wchar_t* extension = ExtensionPart(path);
    for (const KnownExtension& known : kKnownExtensions) {
        if (_wcsicmp(extension, known.extension) == 0)
            return known.type;
    }
    int type = ProbePictureType(path, nullptr);
    return type >= kPictureBmp && type <= kPictureGif ? type : kPictureUnknown;
}

bool IsPictureFile(const wchar_t* path)
{
    return DecidePictureType(path) != kPictureUnknown;
}

PictureOpen OpenPictureAt(HWND owner, const wchar_t* path)
{
    // Refused before the names change: the game on the board keeps its file and folders.
    if (wcslen(path) >= (size_t)kPathCapacity) {
        ShowFailure(owner, kPathTooLongText, path, nullptr, nullptr);
        return kPictureRefused;
    }
    TakeNewPicturePath(path);
    return OpenPicture(owner, false);
}

// The old picture stays whole until the new game's view is built, or the game ends: the
// board makes its zoomed tiles from it whenever it paints, message boxes' loops included.
PictureOpen OpenPicture(HWND owner, bool withDialog)
{
    if (withDialog && !ChoosePicture(owner))
        return kPictureCancelled;
    const wchar_t* failure = nullptr;
    int type = DecidePictureType(g_picturePath);
    PictureHandle picture = nullptr;
    if (type == kPictureUnknown)
        failure = L"この形式のファイルには対応していません。";
    else if (!(picture = kLoaders[type](g_picturePath)))
        failure = L"画像データを取得できません。";
    if (failure) {
        ShowFailure(owner, failure, g_picturePath, nullptr, nullptr);
        return kPictureRefused;
    }
    ReplacePicture(picture);
    GetPictureHeader(picture, &g_view.pictureInfo);
    return kPictureOpened;
}
