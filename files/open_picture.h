// Choosing the picture a game is cut from and loading it through the image library.
#pragma once

// Loads g_picturePath into g_view.pictureDib and its header into g_view.pictureInfo; with
// the dialog the player first chooses that path. False when the dialog was cancelled
// (nothing changed) or when the picture failed (already reported, game abandoned).
bool OpenPicture(bool withDialog);
