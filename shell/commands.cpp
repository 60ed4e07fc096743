#include "shell/commands.h"
#include "board/board_changes.h"
#include "board/board_state.h"
#include "board/board_window.h"
#include "board/piece_images.h"
#include "box/box_state.h"
#include "box/box_window.h"
#include "files/file_names.h"
#include "files/game_file.h"
#include "files/open_picture.h"
#include "model/home_test.h"
#include "model/new_puzzle.h"
#include "model/piece_groups.h"
#include "model/piece_moves.h"
#include "model/shell_calls.h"
#include "resources/resource_ids.h"
#include "shell/game_view.h"
#include "shell/menu_state.h"
#include "shell/shell_state.h"
#include "shell/title.h"
#include "shell/zoom_steps.h"
#include "win/failure_box.h"
#include "win/program_folder.h"
#include <shellapi.h>
#include <wchar.h>

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// The help page lies beside the program, not in the current directory.
static void OpenHelpContents()
{
    wchar_t folder[kPathCapacity], page[kPathCapacity + 16];
    if (!GetProgramFolder(folder, kPathCapacity))
        return;
    swprintf(page, kPathCapacity + 16, L"%lshelp\\index.html", folder);
    ShellExecuteW(nullptr, L"open", page, nullptr, nullptr, SW_SHOWNORMAL);
}

static void FlipOption(int* option)
{
    *option = *option ? 0 : 1;
    UpdateOptionChecks();
}

// Either frame changes how the pieces are drawn, on the board and in the box.
static void FlipFrameOption(int* option)
{
    FlipOption(option);
    RedrawGame(RDW_INVALIDATE);
}

static bool ConfirmAbandon()
{
    return !g_board.gameActive ||
        MessageBoxW(g_shell.mainWindow, L"ゲームを中止しますがよろしいですか？", L"Quiltra",
                    MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// A refused picture or a cancelled settings dialog ends the game the player agreed to
// abandon; a cancelled picture dialog leaves it as it was.
static void NewGameFrom(PictureOpen picture)
{
    if (picture == kPictureCancelled)
        return;
    if (picture == kPictureRefused || !NewPuzzle(g_shell.mainWindow)) {
        EndGame();
        return;
    }
    StartGame(true);
}

static void OpenGameFrom(GameLoad load)
{
    if (load == kGameNotChosen)
        return;
    if (!GameWasLoaded(load)) {
        EndGame();
        return;
    }
    // The picture found again is a change the file does not have yet: closing must ask.
    StartGame(load == kGameLoadedWithNewPicture);
}

static void NewGame()
{
    if (ConfirmAbandon())
        NewGameFrom(OpenPicture(g_shell.mainWindow, true));
}

static void OpenGame()
{
    if (ConfirmAbandon())
        OpenGameFrom(OpenGameFile(g_shell.mainWindow));
}

// A file that is not there, or that is neither, is refused before anything is asked: the
// game stays as it was.
void OpenGivenFile(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ShowFailure(g_shell.mainWindow, L"ファイルが見つかりません。", path, nullptr, nullptr);
        return;
    }
    const bool game = IsGameFile(path);
    if (!game && !IsPictureFile(path)) {
        ShowFailure(g_shell.mainWindow, L"ゲームファイルでも画像ファイルでもないため、開けません。",
                    path, nullptr, nullptr);
        return;
    }
    if (!ConfirmAbandon())
        return;
    if (game)
        OpenGameFrom(LoadGameFile(g_shell.mainWindow, path, path));
    else
        NewGameFrom(OpenPictureAt(g_shell.mainWindow, path));
}

// The title is rebuilt even when the flag was already clear: a first save names the game.
static void ShowSaved()
{
    SetModified(false);
    UpdateTitle();
}

static void SaveGame()
{
    if (g_gameName[0]) {
        wchar_t question[kPathCapacity + 64];
        swprintf(question, kPathCapacity + 64, L"ゲームファイルを更新してよろしいですか？（%ls）",
                 g_gameName);
        if (MessageBoxW(g_shell.mainWindow, question, L"Quiltra", MB_YESNO | MB_ICONQUESTION) !=
            IDYES)
            return;
    }
    if (SaveGameFile(g_shell.mainWindow, false))
        ShowSaved();
}

static void SaveGameAs()
{
    if (SaveGameFile(g_shell.mainWindow, true))
        ShowSaved();
}

static void AskWizard()
{
    if (MessageBoxW(g_shell.mainWindow, L"Wizard に頼みますか？", L"Quiltra",
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    RunWizard();
    RedrawGame(RDW_INVALIDATE | RDW_ERASE);
}

static void ChangeZoom(int index)
{
    int previous = g_shell.zoomIndex;
    SelectZoom(ZoomSteps[index].percent, true);
    if (g_shell.zoomIndex == previous)
        return;
    UpdateTitle();
    BuildPieceImages();
    RedrawGame(RDW_INVALIDATE | RDW_ERASE);
}

// Commands that need a game do nothing without one, whatever route they come by.
static void RunGameCommand(WORD command)
{
    // clang-format off
    switch (command) {
    case IDM_SAVEAS:    SaveGameAs(); break;
    case IDM_SAVE:      SaveGame(); break;
    case IDM_BOXTOGGLE: ShowBox(kBoxToggle); break;
    case IDM_WIZARD:    AskWizard(); break;
    case IDM_ENLARGE:
        if (g_shell.zoomIndex < kZoomStepCount - 1)
            ChangeZoom(g_shell.zoomIndex + 1);
        break;
    case IDM_REDUCE:
        if (g_shell.zoomIndex > 0)
            ChangeZoom(g_shell.zoomIndex - 1);
        break;
    default: {
        int index = ZoomIndexForCommand(command);
        if (index >= 0)
            ChangeZoom(index);
        break;
    }
    }
    // clang-format on
}

void RunCommand(WORD command)
{
    // clang-format off
    switch (command) {
    case IDM_ABOUT:
        DialogBoxParamW(g_shell.instance, MAKEINTRESOURCEW(IDD_ABOUT), g_shell.mainWindow,
                        AboutDialogProc, 0);
        break;
    case IDM_CONTENTS: OpenHelpContents(); break;
    case IDM_EXIT:     SendMessageW(g_shell.mainWindow, WM_CLOSE, 0, 0); break;
    case IDM_NEW:      NewGame(); break;
    case IDM_OPEN:     OpenGame(); break;
    case IDM_GOALPICTURE:
        g_box.goalPictureShown = !g_box.goalPictureShown;
        UpdateBoxMenuChecks();
        if (g_board.gameActive)
            ShowBox(kBoxShow);
        break;
    case IDM_EDGESONLY:
        ShowBoxEdgesOnly(!g_box.edgesOnly);
        UpdateBoxMenuChecks();
        break;
    case IDM_BOXCLOSE: ShowBox(kBoxClose); break;
    case IDM_PUTINTOBOX:
        ReturnSelectionToBox();
        InvalidateBoardChanges();
        UpdateBoxContents();
        break;
    case IDM_BOXBOTTOM: case IDM_BOXTOP: case IDM_BOXRIGHT: case IDM_BOXLEFT: case IDM_BOXMAXIMISED:
        g_box.boxPosition = command - IDM_BOXFIRST;
        UpdateBoxMenuChecks();
        if (g_board.gameActive)
            ShowBox(kBoxMove);
        break;
    case IDM_OPTSOUND:
        FlipOption(&g_shell.OptSound);
        PlayMusic(kMusicBackground);
        break;
    case IDM_OPTGRAYBORDER: FlipFrameOption(&g_board.OptGrayBorder); break;
    case IDM_OPTGOALBORDER: FlipFrameOption(&g_board.OptGoalBorder); break;
    case IDM_OPTJOINPIECES:
        SwitchJoining(!g_groups.joining);
        UpdateOptionChecks();
        InvalidateBoardChanges();
        break;
    default:
        if (g_board.gameActive)
            RunGameCommand(command);
        break;
    }
    // clang-format on
}
