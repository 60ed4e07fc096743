// Our image library: decodes BMP, JPEG, PNG and GIF files through the Windows Imaging
// Component into one in-memory picture, and draws it smoothly scaled.
#pragma once
#include <windows.h>

typedef struct Picture* PictureHandle;

enum PictureType {
    kPictureUnknown = 0,
    kPictureBmp = 1,
    kPictureJpeg = 2,
    kPicturePng = 3,
    kPictureGif = 4
};

// Looks at the file's contents, not its name. detail may be null.
int ProbePictureType(const wchar_t* path, int* detail);

// Each returns null when the file is missing, not of that format, truncated or corrupt.
PictureHandle LoadBmpPicture(const wchar_t* path);
PictureHandle LoadJpegPicture(const wchar_t* path);
PictureHandle LoadPngPicture(const wchar_t* path);
PictureHandle LoadGifPicture(const wchar_t* path);

// The decoded pixels: top-down rows of width 0x00RRGGBB words (the top byte is 0xFF).
const DWORD* GetPicturePixels(PictureHandle picture);

// Fills a BITMAPINFOHEADER; width and height are positive pixel counts.
bool GetPictureHeader(PictureHandle picture, BITMAPINFOHEADER* header);

// Draws the source rectangle of the picture scaled into the destination rectangle.
// Nonzero on success, 0 on failure (for example when memory runs out).
int DrawPicture(HDC target, int x, int y, int width, int height, PictureHandle picture, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop, int stretchMode);

void ReleasePicture(PictureHandle picture);
