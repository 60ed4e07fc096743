// Copies of drawn pixels, read back after the fact: the board buffer as painting left it,
// or the board window as the screen shows it (the overlays exist only there).
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <vector>

class Pixels {
public:
    Pixels(HDC source, int x, int y, int width, int height);
    COLORREF At(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_, height_;
    std::vector<DWORD> bits_;
};

Pixels CaptureBoardBuffer();
// The board window's client area; the window must be on top.
Pixels CaptureBoardWindow();

testing::AssertionResult SamePixels(const Pixels& actual, const Pixels& expected);
