#include "files/open_picture.h"
#include "board/view_state.h"
#include "files/file_names.h"
#include "files/path_parts.h"
#include "win/failure_box.h"
#include "win/image_library.h"
#include <commdlg.h>
#include <stdio.h>
#include <string.h>

static const char kPictureFilter[] = "JPEG ファイル(*.jpg,*.jpeg)\0*.jpg;*.jpeg\0"
                                     "ビットマップファイル(*.bmp)\0*.bmp\0"
                                     "PNG ファイル(*.png)\0*.png\0"
                                     "GIF ファイル(*.gif)\0*.gif\0"
                                     "すべてのファイル(*.*)\0*.*\0";

struct KnownExtension {
    const char* extension;
    int type;
};

static const KnownExtension kKnownExtensions[] = {
    {".jpg", kPictureJpeg}, {".jpeg", kPictureJpeg}, {".bmp", kPictureBmp},
    {".png", kPicturePng},  {".gif", kPictureGif},
};

// Indexed by PictureType.
static PictureHandle (*const kLoaders[])(const char* path) = {
    nullptr, LoadBmpPicture, LoadJpegPicture, LoadPngPicture, LoadGifPicture,
};

// A picture chosen or given starts an untitled game, and the next dialog opens in its folder.
static void TakeNewPicturePath(const char* path)
{
    ClearFileNames();
    snprintf(g_picturePath, sizeof g_picturePath, "%s", path);
    CopyFolderPart(g_picturePath, g_folders.PicDir, sizeof g_folders.PicDir);
}

static bool ChoosePicture(HWND owner)
{
    char path[260] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kPictureFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrInitialDir = g_folders.PicDir;
    dialog.lpstrTitle = "画像ファイルを開く";
    dialog.lpstrDefExt = "jpg";
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&dialog))
        return false;
    TakeNewPicturePath(path);
    return true;
}

// The extension decides whenever it is a known one, even if the contents disagree;
// only other names are left to the probe. kPictureUnknown when neither knows the file.
static int DecidePictureType(const char* path)
{
    const char* extension = ExtensionPart(path);
    for (const KnownExtension& known : kKnownExtensions) {
        if (_stricmp(extension, known.extension) == 0)
            return known.type;
    }
    int type = ProbePictureType(path, nullptr);
    return type >= kPictureBmp && type <= kPictureGif ? type : kPictureUnknown;
}

bool IsPictureFile(const char* path)
{
    return DecidePictureType(path) != kPictureUnknown;
}

PictureOpen OpenPictureAt(HWND owner, const char* path)
{
    TakeNewPicturePath(path);
    return OpenPicture(owner, false);
}

// The old picture stays whole until the new game's view is built, or the game ends: the
// board makes its zoomed tiles from it whenever it paints, message boxes' loops included.
PictureOpen OpenPicture(HWND owner, bool withDialog)
{
    if (withDialog && !ChoosePicture(owner))
        return kPictureCancelled;
    const char* failure = nullptr;
    int type = DecidePictureType(g_picturePath);
    PictureHandle picture = nullptr;
    if (type == kPictureUnknown)
        failure = "この形式のファイルには対応していません。";
    else if (!(picture = kLoaders[type](g_picturePath)))
        failure = "画像データを取得できません。";
    if (failure) {
        ShowFailure(owner, failure, g_picturePath, nullptr, nullptr);
        return kPictureRefused;
    }
    ReplacePicture(picture);
    GetPictureHeader(picture, &g_view.pictureInfo);
    return kPictureOpened;
}
