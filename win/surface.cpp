#include "win/surface.h"

// A window with no client area (a minimised box) still gets a buffer, as it did when a
// compatible bitmap of no size came back as a pixel.
static int MadeLength(int length)
{
    return length > 0 ? length : 1;
}

bool MakeSurface(Surface* surface, int width, int height)
{
    width = MadeLength(width);
    height = MadeLength(height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows from the top, as PixelImage has them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    // A DIB section's pixels do not depend on a device: no window's DC is needed.
    surface->dc = CreateCompatibleDC(nullptr);
    surface->bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!surface->dc || !surface->bitmap)
        return false;
    SelectObject(surface->dc, surface->bitmap);
    surface->pixels = PixelImage{(uint32_t*)bits, width, height};
    return true;
}

// The DC goes first so that the bitmap is no longer selected when it is deleted.
void FreeSurface(Surface* surface)
{
    if (surface->dc)
        DeleteDC(surface->dc);
    if (surface->bitmap)
        DeleteObject(surface->bitmap);
    *surface = Surface{};
}

bool SurfaceFits(const Surface& surface, int width, int height)
{
    return surface.pixels.pixels && surface.pixels.width == MadeLength(width) &&
        surface.pixels.height == MadeLength(height);
}
