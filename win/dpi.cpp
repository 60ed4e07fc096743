#include "win/dpi.h"

// Looked up at run time: Windows 7 and 8 have neither function.
template <typename Function> static Function UserFunction(const char* name)
{
    return (Function)(void*)GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
}

static UINT ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const UINT dpi = (UINT)GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi ? dpi : kDesignDpi;
}

// Windows 8.1 and the first Windows 10 make the program aware of each monitor without
// GetDpiForWindow: there the monitor's own DPI comes from shcore.
static UINT MonitorDpi(HWND window)
{
    typedef HRESULT(WINAPI * ForMonitor)(HMONITOR, int, UINT*, UINT*);
    static const HMODULE shcore = LoadLibraryW(L"shcore.dll");
    static const ForMonitor forMonitor =
        shcore ? (ForMonitor)(void*)GetProcAddress(shcore, "GetDpiForMonitor") : nullptr;
    const int kEffectiveDpi = 0;
    UINT x = 0, y = 0;
    if (!forMonitor ||
        forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y) !=
            S_OK)
        return 0;
    return y;
}

UINT WindowDpi(HWND window)
{
    static const auto forWindow = UserFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    UINT dpi = 0;
    if (window)
        dpi = forWindow ? forWindow(window) : MonitorDpi(window);
    return dpi ? dpi : ScreenDpi();
}

int ScaledToDpi(int designPixels, UINT dpi)
{
    return MulDiv(designPixels, (int)dpi, (int)kDesignDpi);
}

// The font the system gives at its own DPI, grown or shrunk to the window's.
HFONT MakeStatusFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfStatusFont.lfHeight =
        MulDiv(metrics.lfStatusFont.lfHeight, (int)dpi, (int)ScreenDpi());
    return CreateFontIndirectW(&metrics.lfStatusFont);
}
