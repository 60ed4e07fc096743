#include "tests/support/windows_path.h"
#include <windows.h>

std::wstring WindowsPath(const std::wstring& path)
{
    std::wstring result = path;
    if (!result.empty() && result[0] == L'/') {
        for (wchar_t& c : result)
            if (c == L'/')
                c = L'\\';
        result = L"Z:" + result;
    }
    return result;
}

std::wstring Utf16(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), nullptr, 0);
    std::wstring text(units, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &text[0], units);
    return text;
}
