#include "tests/e2e/demo.h"
#include "tests/e2e/driver.h"
#include "board/view_geometry.h"
#include "files/game_format.h"
#include "resources/resource_ids.h"
#include <algorithm>
#include <stdio.h>
#include <vector>
#include <wchar.h>

static const int kPictureWidth = 640, kPictureHeight = 480;

struct Demo {
    Player player;
    DWORD pid = 0;
    HWND board = nullptr;
    std::wstring out;
    int zoom = 0;
    LoadedGame game;
};

static bool Fail(const char* what)
{
    fprintf(stderr, "demo: %s\n", what);
    return false;
}

static void Say(const char* what)
{
    printf("demo: %s\n", what);
    fflush(stdout);
}

static void Shoot(Demo& demo, const char* name)
{
    const std::wstring path = demo.out + L"\\" + Utf16(name);
    if (SaveScreenshot(path + L".png"))
        return;
    HBITMAP shot = CaptureWindow(GetDesktopWindow());
    SaveBitmap(shot, path + L".bmp");
    DeleteObject(shot);
}

static int TitleZoom(Demo& demo)
{
    std::wstring title = WindowTitle(demo.player.mainWindow);
    size_t x = title.rfind(L" x ");
    return x == std::wstring::npos ? 0 : _wtoi(title.c_str() + x + 3);
}

static int FixedCount(Demo& demo)
{
    std::wstring title = WindowTitle(demo.player.mainWindow);
    size_t open = title.find(L"] (");
    return open == std::wstring::npos ? -1 : _wtoi(title.c_str() + open + 3);
}

// The geometry the program computes for the current zoom, and where the board lies.
static void Geometry(Demo& demo)
{
    demo.zoom = TitleZoom(demo);
    ComputeViewGeometry(kPictureWidth, kPictureHeight, demo.zoom, 4, 3);
    RECT client;
    GetClientRect(demo.board, &client);
    ViewGeometry& g = g_geometry;
    g.offsetX = client.right > g.boardWidth ? (client.right - g.boardWidth) / 2 : 0;
    g.offsetY = client.bottom > g.boardHeight ? (client.bottom - g.boardHeight) / 2 : 0;
}

static POINT BoardToScreen(Demo& demo, double boardX, double boardY)
{
    return ScreenPoint(demo.board, (int)boardX + g_geometry.offsetX,
                       (int)boardY + g_geometry.offsetY);
}

static bool NewGame(Demo& demo, const std::wstring& picture)
{
    PostCommand(demo.player.mainWindow, IDM_NEW);
    HWND open = WaitForDialogTitled(demo.pid, L"画像ファイルを開く", 10000);
    if (!open || !ChooseFile(open, picture))
        return Fail("no picture dialog");
    HWND settings = WaitForDialogTitled(demo.pid, L"設定", 10000);
    if (!settings)
        return Fail("no settings dialog");
    ChoosePiecesAcross(settings, 4);  // square mode makes it three down
    Pause(300);
    PressButton(settings, IDOK);
    DWORD start = GetTickCount();
    while (WindowTitle(demo.player.mainWindow).find(L"/12 ピース") == std::wstring::npos &&
           GetTickCount() - start < 10000)
        Pause(50);
    return WindowTitle(demo.player.mainWindow).find(L"(0/12 ピース)") != std::wstring::npos ||
        Fail("the new game did not start");
}

// Saves the game and reads it back: the driver learns where every piece lies.
static bool ReadGame(Demo& demo, bool first)
{
    const std::wstring path = demo.out + L"\\demo.qlt";
    if (first) {
        DeleteFileW(path.c_str());
        PostCommand(demo.player.mainWindow, IDM_SAVEAS);
        HWND save = WaitForDialogTitled(demo.pid, L"ゲームファイルを保存", 10000);
        if (!save || !ChooseFile(save, path))
            return Fail("no save dialog");
    } else {
        PostCommand(demo.player.mainWindow, IDM_SAVE);
        HWND question = WaitForDialogTitled(demo.pid, L"Quiltra", 10000);
        if (!question || !AnswerDialog(question, IDYES, 5000))
            return Fail("no update question");
    }
    Pause(800);
    const std::vector<char> bytes = FileBytes(path);
    return ParseGameFile((const unsigned char*)bytes.data(), bytes.size(), &demo.game) ==
        kGameFileOk ||
        Fail("unreadable save");
}

static BOOL CALLBACK SayDialog(HWND window, LPARAM processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    if (owner == (DWORD)processId && IsWindowVisible(window) && wcscmp(className, L"#32770") == 0)
        printf("demo:   an open dialog: %ls\n", WindowTitle(window).c_str());
    return TRUE;
}

// What a player would see when clicks do not take: which window lies under the point,
// whether the main window takes input, and which dialogs are open.
static void SayScene(Demo& demo, POINT point)
{
    HWND under = WindowFromPoint(point);
    wchar_t className[64] = L"";
    GetClassNameW(under, className, 64);
    DWORD owner = 0;
    GetWindowThreadProcessId(under, &owner);
    printf("demo:   at (%ld, %ld) lies a %ls window of %s; the main window is %s\n", point.x,
           point.y, className, owner == demo.pid ? "Quiltra" : "another process",
           IsWindowEnabled(demo.player.mainWindow) ? "enabled" : "disabled");
    EnumWindows(SayDialog, (LPARAM)demo.pid);
    fflush(stdout);
}

static POINT ClickFirstSlot(Demo& demo, int times)
{
    HWND box = FindChild(demo.board, L"QuiltraBox");
    if (!box) {
        Say("the box is not open");
        return POINT{};
    }
    Geometry(demo);
    const ViewGeometry& g = g_geometry;
    // The first slot's cell; the box closes the gap after every take-out.
    POINT slot = ScreenPoint(box, (int)(g.tabMarginX + g.cellWidth / 2),
                             (int)(g.tabMarginY + g.cellHeight / 2));
    for (int i = 0; i < times; ++i) {
        Click(slot);
        Pause(250);
    }
    return slot;
}

// Under Wine a real pointer now and then delivers a press at an older place; whatever
// such a slip did, the saved game says where the pieces really are.
static bool TakeAllFromTheBox(Demo& demo)
{
    POINT slot = ClickFirstSlot(demo, 12);
    if (!ReadGame(demo, true))
        return false;
    for (int round = 0; round < 3 && demo.game.header.boardCount < demo.game.header.pieceCount;
         ++round) {
        Say("a click went astray; the box is clicked again");
        SayScene(demo, slot);
        slot = ClickFirstSlot(demo, demo.game.header.pieceCount - demo.game.header.boardCount);
        if (!ReadGame(demo, false))
            return false;
    }
    if (demo.game.header.boardCount == demo.game.header.pieceCount)
        return true;
    Shoot(demo, "box-failure");
    return Fail("pieces stayed in the box");
}

// The topmost loose piece is never covered, so its whole cell can be grabbed.
static bool DragPieceHome(Demo& demo, int index)
{
    const ViewGeometry& g = g_geometry;
    const PieceRecord& piece = demo.game.pieces[index];
    double cellX = piece.posX * g.rangeX + g.tabMarginX,
           cellY = piece.posY * g.rangeY + g.tabMarginY;
    double homeX = g.goalLeft + piece.column * g.cellWidth,
           homeY = g.goalTop + piece.row * g.cellHeight;
    POINT from = BoardToScreen(demo, cellX + g.cellWidth / 2, cellY + g.cellHeight / 2);
    POINT to = BoardToScreen(demo, homeX + g.cellWidth / 2, homeY + g.cellHeight / 2);
    int before = FixedCount(demo);
    DragMouse(from, to, false, 12);
    Pause(300);
    return FixedCount(demo) == before + 1;
}

// A fixed piece moves down to the end of the fixed range, as the program moves it.
static void NoteFixed(Demo& demo, int index)
{
    GameHeader& h = demo.game.header;
    std::rotate(demo.game.pieces + h.fixedCount, demo.game.pieces + index,
                demo.game.pieces + index + 1);
    ++h.fixedCount;
}

static bool FixEveryPiece(Demo& demo)
{
    const GameHeader& h = demo.game.header;
    for (int slips = 0; slips < 12;) {
        if (h.fixedCount == h.pieceCount)
            return true;
        int top = h.boardCount - 1;
        if (top == h.fixedCount)
            Shoot(demo, "3-last-piece");
        if (DragPieceHome(demo, top)) {
            NoteFixed(demo, top);
            continue;
        }
        ++slips;
        Say("a drag went astray; the game is read again");
        if (!ReadGame(demo, false))
            return false;
        if (h.selectedCount > 0) {
            Click(BoardToScreen(demo, 3, 3));
            Pause(300);
            if (!ReadGame(demo, false))
                return false;
        }
    }
    Shoot(demo, "drag-failure");
    return Fail("dragged pieces were not fixed");
}

static bool Play(Demo& demo, const std::wstring& picture)
{
    Say("New: a 640 x 480 picture cut 4 x 3");
    if (!NewGame(demo, picture))
        return false;
    demo.board = FindChild(demo.player.mainWindow, L"Quiltra Sight");
    Pause(800);
    Shoot(demo, "1-start");

    Say("a pan with the right button, then the zoom down to 75 %");
    Geometry(demo);
    DragMouse(ScreenPoint(demo.board, 600, 150), ScreenPoint(demo.board, 450, 100), true, 8);
    while (TitleZoom(demo) > 75) {
        PostCommand(demo.player.mainWindow, IDM_REDUCE);
        Pause(300);
    }

    Say("the Wizard once");
    PostCommand(demo.player.mainWindow, IDM_WIZARD);
    HWND ask = WaitForDialogTitled(demo.pid, L"Quiltra", 10000);
    if (!ask || !AnswerDialog(ask, IDYES, 5000))
        return Fail("no Wizard question");
    Pause(500);

    Say("every piece out of the box with a click each");
    if (!TakeAllFromTheBox(demo))
        return false;
    PostCommand(demo.player.mainWindow, IDM_BOXTOGGLE);
    Pause(300);

    Say("the selection put down with a click, then gathered with a band and put down again");
    Geometry(demo);
    const ViewGeometry& g = g_geometry;
    Click(BoardToScreen(demo, g.boardWidth * 0.08, g.boardHeight * 0.9));
    Pause(300);
    DragMouse(BoardToScreen(demo, 1, g.boardHeight - 2), BoardToScreen(demo, g.boardWidth * 0.5, 1),
              false, 10);
    Pause(300);
    Click(BoardToScreen(demo, g.boardWidth * 0.95, g.boardHeight * 0.08));
    Pause(300);
    Shoot(demo, "2-middle");

    if (!ReadGame(demo, false))
        return false;
    Say("each loose piece dragged home, the topmost first");
    if (!FixEveryPiece(demo))
        return false;
    HWND done = WaitForDialogTitled(demo.pid, L"Quiltra", 10000);
    if (!done || MessageBoxText(done) != L"完成しました！おめでとうございます。お疲れ様でした。")
        return Fail("no completion message");
    Pause(500);
    Shoot(demo, "4-complete");
    PressButton(done, IDOK);
    Pause(500);
    Say("finished: the completion message came");
    return true;
}

int PlayDemoGame(const std::wstring& exe, const std::wstring& picture,
                 const std::wstring& outFolder)
{
    Demo demo;
    demo.out = outFolder;
    CreateDirectoryW(outFolder.c_str(), nullptr);
    DeleteSettingsKey();  // the defaults: music on, the box at the bottom
    if (!StartQuiltra(&demo.player, exe, outFolder)) {
        EndQuiltra(&demo.player);
        return Fail("Quiltra did not start"), 1;
    }
    demo.pid = demo.player.process.dwProcessId;
    bool finished = Play(demo, picture);
    PostMessageW(demo.player.mainWindow, WM_CLOSE, 0, 0);
    HWND question = WaitForDialogTitled(demo.pid, L"Quiltra", 3000);
    if (question)
        PressButton(question, IDNO);
    DWORD code = 0;
    WaitForExit(&demo.player, 10000, &code);
    EndQuiltra(&demo.player);
    return finished ? 0 : 1;
}
