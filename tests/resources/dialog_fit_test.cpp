// The dialogs as the bench's fonts lay them out: every static text must show whole in its
// control. Windows' Japanese fonts are mapped to the IPA fonts, whose metrics match them.
#include "quiltra_version.h"
#include "resources/resource_ids.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

static INT_PTR CALLBACK TemplateOnly(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

struct StaticText {
    std::wstring text;
    LONG style;
    HWND window;
};

static BOOL CALLBACK CollectStatic(HWND child, LPARAM list)
{
    wchar_t name[32] = L"";
    GetClassNameW(child, name, 32);
    LONG style = GetWindowLongW(child, GWL_STYLE);
    LONG kind = style & SS_TYPEMASK;
    bool text = kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_SIMPLE ||
        kind == SS_LEFTNOWORDWRAP;
    if (_wcsicmp(name, L"Static") == 0 && text) {
        wchar_t buffer[256] = L"";
        GetWindowTextW(child, buffer, 256);
        ((std::vector<StaticText>*)list)->push_back({buffer, style, child});
    }
    return TRUE;
}

// The rectangle the static's own text needs, drawn the way a static control draws it:
// wrapped at the control's width, or on one line when the control does not wrap.
static RECT NeededRect(const StaticText& label, int width)
{
    LONG kind = label.style & SS_TYPEMASK;
    UINT format = DT_CALCRECT | DT_EXPANDTABS;
    if (kind == SS_SIMPLE || kind == SS_LEFTNOWORDWRAP || (label.style & SS_CENTERIMAGE))
        format |= DT_SINGLELINE;
    else
        format |= DT_WORDBREAK;
    if (label.style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    HDC dc = GetDC(label.window);
    HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageW(label.window, WM_GETFONT, 0, 0));
    RECT needed = {0, 0, width, 0};
    DrawTextW(dc, label.text.c_str(), -1, &needed, format);
    SelectObject(dc, old);
    ReleaseDC(label.window, dc);
    return needed;
}

static std::vector<StaticText> StaticTexts(HWND dialog)
{
    std::vector<StaticText> labels;
    EnumChildWindows(dialog, CollectStatic, (LPARAM)&labels);
    return labels;
}

static std::string Utf8(const std::wstring& text)
{
    char buffer[512] = "";
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

class DialogFit : public testing::TestWithParam<int> { };

TEST_P(DialogFit, EveryStaticTextFitsItsControl)
{
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(GetParam()),
                                     nullptr, TemplateOnly, 0);
    ASSERT_NE(nullptr, dialog);
    std::vector<StaticText> labels = StaticTexts(dialog);
    EXPECT_FALSE(labels.empty());
    for (const StaticText& label : labels) {
        RECT control;
        GetClientRect(label.window, &control);
        RECT needed = NeededRect(label, control.right);
        EXPECT_LE(needed.right, control.right) << Utf8(label.text) << " needs " << needed.right
                                               << " pixels of width, has " << control.right;
        EXPECT_LE(needed.bottom, control.bottom)
            << Utf8(label.text) << " needs " << needed.bottom << " pixels of height, has "
            << control.bottom << " (" << needed.right << " of " << control.right << " wide)";
    }
    DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(AboutAndSettings, DialogFit, testing::Values(IDD_ABOUT, IDD_SETTINGS));

TEST(AboutBox, ShowsTheProgramVersion)
{
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT),
                                     nullptr, TemplateOnly, 0);
    ASSERT_NE(nullptr, dialog);
    bool shown = false;
    for (const StaticText& label : StaticTexts(dialog))
        shown |= label.text ==
            L"バージョン "
            L"" QUILTRA_VERSION_TEXT;
    EXPECT_TRUE(shown) << "no label reads バージョン " QUILTRA_VERSION_TEXT;
    DestroyWindow(dialog);
}
