#include "tests/win/picture_fixtures.h"
#include "tests/support/dib32.h"
#include "tests/support/test_main.h"
#include <fstream>
#include <iterator>

std::wstring FixturePath(const wchar_t* name)
{
    return TestPath(0, "FIXTURE_FOLDER") + L"\\" + name;
}

std::vector<BYTE> ReferencePixels(const wchar_t* name)
{
    std::ifstream file((FixturePath(name) + L".rgb").c_str(), std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), {});
}

PicturePtr Load(PictureHandle (*loader)(const wchar_t*), const wchar_t* name)
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
