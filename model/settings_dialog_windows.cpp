#include "board/view_state.h"
#include "model/game_state.h"
#include "model/settings_dialog.h"
#include "model/split_counts.h"
#include "resources/resource_ids.h"
#include <wchar.h>

// Entry index = count - 2.
static const int kFirstListedCount = 2;
static const int kLastListedCount = 100;

bool RunSettingsDialog(HWND owner)
{
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), owner,
                           SettingsDialogProc, 0) == IDOK;
}

void ShowSettingsValues()
{
    HWND dialog = (HWND)g_game.settingsDialog;
    const GameHeader& header = g_game.header;
    SendDlgItemMessageW(dialog, IDC_COLUMNS, CB_SETCURSEL, header.columns - kFirstListedCount, 0);
    SendDlgItemMessageW(dialog, IDC_ROWS, CB_SETCURSEL, header.rows - kFirstListedCount, 0);
    wchar_t count[16];
    swprintf(count, 16, L"%d", header.columns * header.rows);
    SetDlgItemTextW(dialog, IDC_PIECECOUNT, count);
}

static void FillCountList(HWND dialog, int list)
{
    for (int count = kFirstListedCount; count <= kLastListedCount; ++count) {
        wchar_t text[16];
        swprintf(text, 16, L"%d", count);
        SendDlgItemMessageW(dialog, list, CB_ADDSTRING, 0, (LPARAM)text);
    }
}

// Text that does not parse leaves the count as it was.
static void ReadCount(HWND dialog, int list, int* count)
{
    wchar_t text[64];
    GetDlgItemTextW(dialog, list, text, 64);
    int value;
    if (swscanf(text, L"%d", &value) == 1)
        *count = value;
}

static void SquareHeaderCounts()
{
    SquareSplitCounts(&g_game.header.columns, &g_game.header.rows, g_view.pictureInfo.biWidth,
                      g_view.pictureInfo.biHeight);
}

static void OnCountChosen(HWND dialog, int list)
{
    GameHeader& header = g_game.header;
    int width = g_view.pictureInfo.biWidth;
    int height = g_view.pictureInfo.biHeight;
    if (list == IDC_COLUMNS) {
        ReadCount(dialog, list, &header.columns);
        if (g_game.squareMode)
            header.rows = MatchingSplitCount(header.columns, width, height);
    } else {
        ReadCount(dialog, list, &header.rows);
        if (g_game.squareMode)
            header.columns = MatchingSplitCount(header.rows, height, width);
    }
    ShowSettingsValues();
}

static void OnSquareClicked(HWND dialog)
{
    g_game.squareMode = IsDlgButtonChecked(dialog, IDC_SQUARE) == BST_CHECKED;
    if (!g_game.squareMode)
        return;
    SquareHeaderCounts();
    ShowSettingsValues();
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    // ShowSettingsValues finds the dialog here, whichever message comes first.
    g_game.settingsDialog = dialog;
    switch (message) {
    case WM_INITDIALOG:
        FillCountList(dialog, IDC_COLUMNS);
        FillCountList(dialog, IDC_ROWS);
        if (g_game.squareMode)
            SquareHeaderCounts();
        CheckDlgButton(dialog, IDC_SQUARE, g_game.squareMode ? BST_CHECKED : BST_UNCHECKED);
        ShowSettingsValues();
        return TRUE;
    case WM_COMMAND:
        // Every notification of a list counts alike, so the code is not looked at.
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: EndDialog(dialog, LOWORD(wParam)); break;
        case IDC_COLUMNS:
        case IDC_ROWS: OnCountChosen(dialog, LOWORD(wParam)); break;
        case IDC_SQUARE: OnSquareClicked(dialog); break;
        }
        return TRUE;
    }
    return FALSE;
}
