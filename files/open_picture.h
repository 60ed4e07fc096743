// Choosing the picture a game is cut from and loading it through the image library.
#pragma once
#include <windows.h>

enum PictureOpen {
    kPictureCancelled,  // the player closed the dialog: nothing has changed
    kPictureOpened,
    kPictureRefused,  // reported to the player; the old picture stays until the game ends
};

// Loads g_picturePath into g_view.pictureDib and its header into g_view.pictureInfo; with
// the dialog the player first chooses that path. Dialogs and messages belong to owner.
PictureOpen OpenPicture(HWND owner, bool withDialog);
// The same for a picture given from outside (dropped, or named on the command line): it
// starts an untitled game, as a chosen one does.
PictureOpen OpenPictureAt(HWND owner, const wchar_t* path);
// The picture loaders know the file: by a known extension, or else by its contents.
bool IsPictureFile(const wchar_t* path);
