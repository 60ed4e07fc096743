#include "tests/e2e/demo.h"
#include "tests/e2e/driver.h"
#include "board/view_geometry.h"
#include "files/game_format.h"
#include "resources/resource_ids.h"
#include <algorithm>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include <wchar.h>

static const int kPictureWidth = 640, kPictureHeight = 480;
static const int kColumns = 5, kRows = 4, kPieceCount = kColumns * kRows;
// Where the demo lets go of a piece beside its neighbour: a few pixels off its place, well
// within what the program forgives, so that the snap shows.
static const int kJoinSlipX = 5, kJoinSlipY = -4;

struct Cell {
    int column, row;
};

// Two side neighbours joined on the board: the second lies beside the first, `side` cells away.
struct Pair {
    Cell first, second;
    Cell side;
};

struct Demo {
    Player player;
    DWORD pid = 0;
    HWND board = nullptr;
    std::wstring out;
    int zoom = 0;
    LoadedGame game;
    Pair pair;
};

struct BoardPoint {
    double x, y;
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
    ComputeViewGeometry(kPictureWidth, kPictureHeight, demo.zoom, kColumns, kRows);
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

// The top-left corner of a board piece's cell, in board pixels at the current zoom.
static BoardPoint CellCorner(const PieceRecord& piece)
{
    const ViewGeometry& g = g_geometry;
    return BoardPoint{piece.posX * g.rangeX + g.tabMarginX, piece.posY * g.rangeY + g.tabMarginY};
}

// Pressing a piece's cell in its middle grabs it, whatever its knobs and sockets.
static POINT CellMiddleOnScreen(Demo& demo, BoardPoint corner)
{
    return BoardToScreen(demo, corner.x + g_geometry.cellWidth / 2,
                         corner.y + g_geometry.cellHeight / 2);
}

// The keyboard as a player reaches a menu item with it: Alt with the menu's letter, then the
// item's letter.
static void SendKey(WORD key, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    Sleep(60);
}

static void PressKey(WORD key)
{
    SendKey(key, 0);
    SendKey(key, KEYEVENTF_KEYUP);
}

static void OpenMenu(Demo& demo, WORD menuLetter)
{
    SetForegroundWindow(demo.player.mainWindow);
    SendKey(VK_MENU, 0);
    PressKey(menuLetter);
    SendKey(VK_MENU, KEYEVENTF_KEYUP);
    Pause(400);
}

static bool JoiningChecked(Demo& demo)
{
    HMENU menu = GetMenu(demo.player.mainWindow);
    return (GetMenuState(menu, IDM_OPTJOINPIECES, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// The option chosen from the menu, then the menu opened again so that its check shows.
static bool TurnJoiningOn(Demo& demo)
{
    OpenMenu(demo, 'O');
    PressKey('J');
    Pause(300);
    OpenMenu(demo, 'O');
    Shoot(demo, "2-option");
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    Pause(300);
    return JoiningChecked(demo) || Fail("the option to join pieces is not checked");
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
    ChoosePiecesAcross(settings, kColumns);  // square mode makes it four down
    Pause(300);
    PressButton(settings, IDOK);
    const std::wstring pieces = L"/" + std::to_wstring(kPieceCount) + L" ピース)";
    DWORD start = GetTickCount();
    while (WindowTitle(demo.player.mainWindow).find(pieces) == std::wstring::npos &&
           GetTickCount() - start < 10000)
        Pause(50);
    return WindowTitle(demo.player.mainWindow).find(L"(0" + pieces) != std::wstring::npos ||
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

// The middle of a slot's cell in the box scrolled to its top, as the box lays its slots out
// in rows; false when the box does not show the cell's middle with room around it.
static bool SlotOnScreen(Demo& demo, int slot, POINT* point)
{
    HWND box = FindChild(demo.board, L"QuiltraBox");
    if (!box)
        return false;
    Geometry(demo);
    const ViewGeometry& g = g_geometry;
    RECT client;
    GetClientRect(box, &client);
    const int columns = std::max(1, (int)(client.right / g.tileWidth));
    const double left = slot % columns * g.tileWidth + g.tabMarginX;
    const double top = slot / columns * g.tileHeight + g.tabMarginY;
    *point = ScreenPoint(box, (int)(left + g.cellWidth / 2), (int)(top + g.cellHeight / 2));
    return left + g.cellWidth <= client.right && top + g.cellHeight * 0.75 <= client.bottom;
}

static POINT ClickFirstSlot(Demo& demo, int times)
{
    POINT slot = {};
    if (!SlotOnScreen(demo, 0, &slot)) {
        Say("the box is not open");
        return slot;
    }
    // The box closes the gap after every take-out.
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
    if (!ReadGame(demo, false))
        return false;
    POINT slot = {};
    for (int round = 0; round < 4 && demo.game.header.boardCount < demo.game.header.pieceCount;
         ++round) {
        if (round > 0) {
            Say("a click went astray; the box is clicked again");
            SayScene(demo, slot);
        }
        slot = ClickFirstSlot(demo, demo.game.header.pieceCount - demo.game.header.boardCount);
        if (!ReadGame(demo, false))
            return false;
    }
    if (demo.game.header.boardCount == demo.game.header.pieceCount)
        return true;
    Shoot(demo, "box-failure");
    return Fail("pieces stayed in the box");
}

// The topmost loose piece is never covered, so its whole cell can be grabbed. Returns how many
// pieces were fixed: a piece joined to others is seated with its whole group.
static int DragPieceHome(Demo& demo, int index)
{
    const ViewGeometry& g = g_geometry;
    const PieceRecord& piece = demo.game.pieces[index];
    const BoardPoint home = {g.goalLeft + piece.column * g.cellWidth,
                             g.goalTop + piece.row * g.cellHeight};
    int before = FixedCount(demo);
    DragMouse(CellMiddleOnScreen(demo, CellCorner(piece)), CellMiddleOnScreen(demo, home), false,
              12);
    Pause(300);
    return FixedCount(demo) - before;
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
            Shoot(demo, "6-last-piece");
        const int fixed = DragPieceHome(demo, top);
        if (fixed == 1) {
            NoteFixed(demo, top);
            continue;
        }
        if (FixedCount(demo) == h.pieceCount)
            return true;
        if (fixed == 0) {
            ++slips;
            Say("a drag went astray; the game is read again");
        }
        // After a slip, or a group seated as one, the saved game says where the pieces are.
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

// The program reorders its table as pieces move, so a piece is known by its cell; every cell
// of the picture has its piece in the table.
static const PieceRecord& PieceOfCell(const Demo& demo, Cell cell)
{
    const PieceRecord* piece = demo.game.pieces;
    while (piece->column != cell.column || piece->row != cell.row)
        ++piece;
    return *piece;
}

static int GroupOfCell(const Demo& demo, Cell cell)
{
    return demo.game.groupOfCell[cell.column * demo.game.header.rows + cell.row];
}

// A boxed piece whose cell the box shows; the middle of its slot in *point.
static bool BoxedInSight(Demo& demo, Cell cell, POINT* point)
{
    const int index = (int)(&PieceOfCell(demo, cell) - demo.game.pieces);
    const int slot = index - demo.game.header.boardCount;
    return slot >= 0 && SlotOnScreen(demo, slot, point);
}

// Side by side first: a pair across reads best on the screenshots.
static const Cell kSides[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

static bool OnThePicture(Cell cell)
{
    return cell.column >= 0 && cell.column < kColumns && cell.row >= 0 && cell.row < kRows;
}

// Two side neighbours, both in sight in the box.
static bool FindPairInSight(Demo& demo)
{
    const GameHeader& h = demo.game.header;
    POINT slot;
    for (const Cell& side : kSides) {
        for (int i = h.boardCount; i < h.pieceCount; ++i) {
            const Cell first = {demo.game.pieces[i].column, demo.game.pieces[i].row};
            const Cell second = {first.column + side.column, first.row + side.row};
            if (OnThePicture(second) && BoxedInSight(demo, first, &slot) &&
                BoxedInSight(demo, second, &slot)) {
                demo.pair = Pair{first, second, side};
                return true;
            }
        }
    }
    return false;
}

// A click on a boxed piece takes it out onto the board, selected.
static bool TakeOut(Demo& demo, Cell cell)
{
    POINT slot;
    if (!BoxedInSight(demo, cell, &slot))
        return Fail("a piece of the pair is not in sight in the box");
    Click(slot);
    Pause(300);
    return true;
}

// Where the first piece of the pair goes: at the top of the board, on the side away from its
// home, with room for its neighbour beside it, so that neither lies near its home.
static BoardPoint FirstPieceCorner(const Demo& demo)
{
    const ViewGeometry& g = g_geometry;
    const Cell side = demo.pair.side;
    const double pairWidth = (1 + abs(side.column)) * g.cellWidth;
    const bool homeOnTheLeft = demo.pair.first.column * 2 < kColumns;
    BoardPoint corner = {homeOnTheLeft ? g.boardWidth - g.tabMarginX - pairWidth - 4
                                       : g.tabMarginX + 4,
                         g.tabMarginY + 4};
    // A neighbour to the left or above takes the room there.
    if (side.column < 0)
        corner.x += g.cellWidth;
    if (side.row < 0)
        corner.y += g.cellHeight;
    return corner;
}

static bool Near(BoardPoint a, BoardPoint b)
{
    return fabs(a.x - b.x) < 2 && fabs(a.y - b.y) < 2;
}

// The corner of the second piece's place beside the first, where it lies once joined.
static BoardPoint BesideFirst(const Demo& demo)
{
    const Pair& pair = demo.pair;
    const BoardPoint first = CellCorner(PieceOfCell(demo, pair.first));
    return BoardPoint{first.x + pair.side.column * g_geometry.cellWidth,
                      first.y + pair.side.row * g_geometry.cellHeight};
}

// Joined pieces share a group and lie exactly side by side, with no gap between them.
static bool PairJoined(const Demo& demo)
{
    const Pair& pair = demo.pair;
    return GroupOfCell(demo, pair.first) != 0 &&
        GroupOfCell(demo, pair.first) == GroupOfCell(demo, pair.second) &&
        Near(CellCorner(PieceOfCell(demo, pair.second)), BesideFirst(demo));
}

// Drags the piece of `cell` by its middle so that its cell's corner is let go `slip` off
// `corner`, and checks that the pair is then joined with that corner at `corner`. Tries again
// after a slip of the pointer.
static bool DragPairPiece(Demo& demo, Cell cell, BoardPoint corner, BoardPoint slip)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0)
            Say("a drag went astray; the game is read again");
        const BoardPoint letGo = {corner.x + slip.x, corner.y + slip.y};
        DragMouse(CellMiddleOnScreen(demo, CellCorner(PieceOfCell(demo, cell))),
                  CellMiddleOnScreen(demo, letGo), false, 12);
        Pause(400);
        if (!ReadGame(demo, false))
            return false;
        if (PairJoined(demo) && Near(CellCorner(PieceOfCell(demo, cell)), corner))
            return true;
    }
    return false;
}

// Two neighbours out of the box: the first put down on free board, the second let go a few
// pixels off its place beside it, where it snaps and joins; then the pair is dragged by the
// first piece and moves as one.
static bool JoinTwoNeighbours(Demo& demo)
{
    Geometry(demo);
    const ViewGeometry& g = g_geometry;
    if (!ReadGame(demo, true))
        return false;
    if (!FindPairInSight(demo))
        return Fail("the box shows no two neighbours");
    const Pair& pair = demo.pair;
    printf("demo:   the pieces of column %d, row %d and of column %d, row %d\n",
           pair.first.column + 1, pair.first.row + 1, pair.second.column + 1, pair.second.row + 1);
    if (!TakeOut(demo, pair.first))
        return false;
    Click(CellMiddleOnScreen(demo, FirstPieceCorner(demo)));
    Pause(300);
    if (!ReadGame(demo, false) || !TakeOut(demo, pair.second))
        return false;
    PostCommand(demo.player.mainWindow, IDM_BOXTOGGLE);  // the whole board in sight
    Pause(300);
    if (!ReadGame(demo, false))
        return false;
    const BoardPoint first = CellCorner(PieceOfCell(demo, pair.first));
    if (!DragPairPiece(demo, pair.second, BesideFirst(demo), BoardPoint{kJoinSlipX, kJoinSlipY})) {
        Shoot(demo, "join-failure");
        return Fail("the neighbours did not join");
    }
    Shoot(demo, "3-join");

    Say("the pair dragged by its first piece");
    const BoardPoint lower = {first.x, first.y + 1.5 * g.cellHeight};
    if (!DragPairPiece(demo, pair.first, lower, BoardPoint{0, 0})) {
        Shoot(demo, "move-failure");
        return Fail("the pair did not move as one");
    }
    Shoot(demo, "4-pair-moved");
    return true;
}

static bool Play(Demo& demo, const std::wstring& picture)
{
    Say("New: a 640 x 480 picture cut 5 x 4");
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

    Say("the option to join pieces turned on from the Options menu");
    if (!TurnJoiningOn(demo))
        return false;
    Say("two neighbours out of the box and joined");
    if (!JoinTwoNeighbours(demo))
        return false;

    Say("the Wizard once");
    PostCommand(demo.player.mainWindow, IDM_WIZARD);
    HWND ask = WaitForDialogTitled(demo.pid, L"Quiltra", 10000);
    if (!ask || !AnswerDialog(ask, IDYES, 5000))
        return Fail("no Wizard question");
    Pause(500);

    Say("every piece out of the box with a click each");
    PostCommand(demo.player.mainWindow, IDM_BOXTOGGLE);
    Pause(300);
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
    Shoot(demo, "5-middle");

    if (!ReadGame(demo, false))
        return false;
    Say("each loose piece dragged home, the topmost first");
    if (!FixEveryPiece(demo))
        return false;
    HWND done = WaitForDialogTitled(demo.pid, L"Quiltra", 10000);
    if (!done || MessageBoxText(done) != L"完成しました！おめでとうございます。お疲れ様でした。")
        return Fail("no completion message");
    Pause(500);
    Shoot(demo, "7-complete");
    PressButton(done, IDOK);
    Pause(500);
    Shoot(demo, "8-finished-picture");  // no longer half hidden by the message
    Say("finished: the completion message came");
    return true;
}

int PlayDemoGame(const std::wstring& exe, const std::wstring& picture,
                 const std::wstring& outFolder)
{
    Demo demo;
    demo.out = outFolder;
    CreateDirectoryW(outFolder.c_str(), nullptr);
    // The demo turns joining on, and the program keeps its options: the bench gets back the
    // choice it had, which the other runs on it expect.
    DWORD joining = 0;
    ReadSettingNumber(L"OptJoinPieces", &joining);
    DeleteSettingsKey();  // the defaults: music on, the box at the bottom, pieces alone
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
    WriteSettingNumber(L"OptJoinPieces", joining);
    return finished ? 0 : 1;
}
