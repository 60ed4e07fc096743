#include "win/dpi.h"

// Looked up at run time: Windows 7 and 8 have neither function.
template <typename Function> static Function UserFunction(const char* name)
{
    return (Function)(void*)GetProcAddress(GetModuleHandleA("user32.dll"), name);
}

static UINT ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const UINT dpi = (UINT)GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi ? dpi : kDesignDpi;
}

UINT WindowDpi(HWND window)
{
    static const auto getDpiForWindow = UserFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi ? dpi : ScreenDpi();
}

int ScaledToDpi(int designPixels, UINT dpi)
{
    return MulDiv(designPixels, (int)dpi, (int)kDesignDpi);
}

int SystemMetricForDpi(int index, UINT dpi)
{
    static const auto forDpi = UserFunction<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi)
        return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), (int)dpi, (int)ScreenDpi());
}

// The font the system gives at its own DPI, grown or shrunk to the window's.
HFONT MakeStatusFont(UINT dpi)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfStatusFont.lfHeight =
        MulDiv(metrics.lfStatusFont.lfHeight, (int)dpi, (int)ScreenDpi());
    return CreateFontIndirectA(&metrics.lfStatusFont);
}
