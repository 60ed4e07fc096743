#include "win/failure_box.h"
#include <commdlg.h>
#include <initializer_list>
#include <wchar.h>

void ShowFailure(HWND owner, const wchar_t* text1, const wchar_t* text2, const wchar_t* text3,
                 const wchar_t* text4)
{
    wchar_t text[4096] = L"";
    if (text1)
        swprintf(text, 4096, L"%ls", text1);
    for (const wchar_t* line : {text2, text3, text4}) {
        if (!line)
            continue;
        const size_t used = wcslen(text);
        swprintf(text + used, 4096 - used, L"\n%ls", line);
    }
    if (text[0])
        MessageBoxW(owner, text, L"Quiltra", MB_ICONERROR | MB_TASKMODAL);
}

const wchar_t kPathTooLongText[] = L"ファイルのパスが長すぎます。";

void ReportPathTooLong(HWND owner)
{
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
        ShowFailure(owner, kPathTooLongText, nullptr, nullptr, nullptr);
}
