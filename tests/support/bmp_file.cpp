#include "tests/support/bmp_file.h"
#include <stdio.h>
#include <vector>

bool WriteBmpFile(const wchar_t* path, int width, int height, COLORREF colour)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<BYTE> row(stride);
    for (int x = 0; x < width; ++x) {
        row[x * 3] = GetBValue(colour);
        row[x * 3 + 1] = GetGValue(colour);
        row[x * 3 + 2] = GetRValue(colour);
    }
    FILE* out = _wfopen(path, L"wb");
    if (!out)
        return false;
    bool written = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1;
    for (int y = 0; y < height && written; ++y)
        written = fwrite(row.data(), stride, 1, out) == 1;
    return fclose(out) == 0 && written;
}
