#include "tests/board/pixels.h"
#include "tests/shell/main_window_fixture.h"
#include "tests/support/dib32.h"
#include "board/board_state.h"
#include "board/view_geometry.h"
#include "board/view_state.h"
#include "shell/shell_state.h"

Pixels::Pixels(HDC source, int x, int y, int width, int height)
    : width_(width)
    , height_(height)
    , bits_((size_t)width * height)
{
    DWORD* bits = nullptr;
    HBITMAP bitmap = CreateDib32(width, height, &bits);
    HDC copy = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    memcpy(bits_.data(), bits, bits_.size() * sizeof(DWORD));
    SelectObject(copy, old);
    DeleteDC(copy);
    DeleteObject(bitmap);
}

COLORREF Pixels::At(int x, int y) const
{
    DWORD p = bits_[(size_t)y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

Pixels CaptureBoardBuffer()
{
    return Pixels(g_view.boardBuffer.dc, 0, 0, g_geometry.bufferWidth, g_geometry.bufferHeight);
}

// Read from the window's own client area, not from the screen at the place the system
// reports for it: a maximised window may be drawn a few pixels off that place (Wine 10's
// virtual desktop draws it 4 pixels right of and below it).
Pixels CaptureBoardWindow()
{
    // Painted pixels reach the window's surface when it is flushed.
    PumpMessages(100);
    RECT client;
    GetClientRect(g_board.window, &client);
    HDC window = GetDC(g_board.window);
    Pixels pixels(window, 0, 0, client.right, client.bottom);
    ReleaseDC(g_board.window, window);
    return pixels;
}

testing::AssertionResult SamePixels(const Pixels& actual, const Pixels& expected)
{
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return testing::AssertionFailure() << "sizes differ";
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.At(x, y) != expected.At(x, y) && differing++ == 0) {
                firstX = x;
                firstY = y;
            }
    if (differing == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
        << differing << " pixels differ, the first at (" << firstX << ", " << firstY << "): 0x"
        << std::hex << actual.At(firstX, firstY) << " instead of 0x" << expected.At(firstX, firstY);
}
