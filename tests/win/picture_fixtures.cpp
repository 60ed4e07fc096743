#include "tests/win/picture_fixtures.h"
#include "tests/support/dib32.h"
#include "tests/support/test_main.h"
#include <fstream>
#include <iterator>

std::string FixturePath(const char* name)
{
    return TestPath(0, "FIXTURE_FOLDER") + "\\" + name;
}

std::vector<BYTE> ReferencePixels(const char* name)
{
    std::ifstream file(FixturePath(name) + ".rgb", std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), {});
}

PicturePtr Load(PictureHandle (*loader)(const char*), const char* name)
{
    return PicturePtr(loader(FixturePath(name).c_str()), ReleasePicture);
}

Canvas::Canvas(int width, int height, DWORD fill)
    : width(width)
    , height(height)
{
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDib32(width, height, &bits);
    previous = SelectObject(dc, bitmap);
    for (int i = 0; i < width * height; ++i)
        bits[i] = fill;
}

Canvas::~Canvas()
{
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
