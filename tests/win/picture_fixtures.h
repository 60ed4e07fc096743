// The test pictures drawn by tools/make_fixtures.sh, and a canvas to draw them on.
#pragma once
#include "win/image_library.h"
#include <memory>
#include <string>
#include <vector>

// A picture in the fixture folder, the program's first argument.
std::wstring FixturePath(const wchar_t* name);

// The fixture's first frame as ImageMagick decoded it onto white: 8-bit RGB rows.
std::vector<BYTE> ReferencePixels(const wchar_t* name);

typedef std::unique_ptr<Picture, void (*)(PictureHandle)> PicturePtr;
PicturePtr Load(PictureHandle (*loader)(const wchar_t*), const wchar_t* name);

// A memory DC holding a top-down 32-bit bitmap, every pixel first set to fill (BGRA).
struct Canvas {
    Canvas(int width, int height, DWORD fill);
    ~Canvas();
    DWORD Pixel(int x, int y) const { return bits[y * width + x]; }

    int width;
    int height;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    DWORD* bits;
};

inline int Red(DWORD pixel)
{
    return (pixel >> 16) & 255;
}
inline int Green(DWORD pixel)
{
    return (pixel >> 8) & 255;
}
inline int Blue(DWORD pixel)
{
    return pixel & 255;
}
