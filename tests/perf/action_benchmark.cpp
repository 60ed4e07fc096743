// Times what the player does with a 100 x 100 puzzle of a photo: the real board and box
// window procedures get their messages in the real main window, and each action is timed
// until its paint is done. Medians in ms, and the ratio to a full render of the board
// measured in the same run; then the peak working set; then, with joining on, a group of 1000
// and one of 9999 pressed, dragged and dropped to join a piece, and the box's edge filter
// turned on and off, against a 60 Hz frame. With --zoom, the zoom steps from the
// fitting zoom to 50, 100, 200, 300 and 500 % and back, scrolling and taking from the box at
// high zoom, and the working set through a sweep of every zoom, against a 60 Hz frame.
//   action_benchmark [--zoom] PHOTO.jpg
#include "tests/perf/bench_support.h"
#include "tests/support/modal_driver.h"
#include "board/board_mouse.h"
#include "board/board_paint.h"
#include "board/board_state.h"
#include "board/board_window.h"
#include "board/scroll.h"
#include "board/view_state.h"
#include "box/box_state.h"
#include "box/box_window.h"
#include "model/cut_pieces.h"
#include "model/game_state.h"
#include "model/move_record.h"
#include "model/piece_moves.h"
#include "model/group_joining.h"
#include "model/piece_groups.h"
#include "model/random.h"
#include "resources/resource_ids.h"
#include "shell/game_view.h"
#include "shell/shell_state.h"
#include "shell/zoom_steps.h"
#include <algorithm>
#include <climits>
#include <functional>
#include <psapi.h>
#include <stdio.h>
#include <string.h>
#include <vector>

static const int kRuns = 5;
// The piece the board actions work with; its home lies in the part of the board the box
// leaves visible at the fitting zoom.
static const int kColumn = 50, kRow = 20;

struct Scenario {
    const char* name;
    GameState game;
    PieceGroups groups;
};
static Scenario s_loose = {"10000 loose", {}, {}}, s_boxed = {"10000 boxed", {}, {}};
static const Scenario* s_current;

static int BoxTop()
{
    RECT frame;
    GetWindowRect(g_box.boxWindow, &frame);
    POINT corner = {frame.left, frame.top};
    ScreenToClient(g_board.window, &corner);
    return corner.y;
}

static POINT ToClient(double boardX, double boardY)
{
    return POINT{(int)boardX - g_board.scrollX + g_geometry.offsetX,
                 (int)boardY - g_board.scrollY + g_geometry.offsetY};
}

static POINT FromClient(POINT client)
{
    return POINT{client.x + g_board.scrollX - g_geometry.offsetX,
                 client.y + g_board.scrollY - g_geometry.offsetY};
}

static void PaintsDone()
{
    UpdateWindow(g_board.window);
    if (g_box.boxWindow)
        UpdateWindow(g_box.boxWindow);
}

static void Settle()
{
    PaintsDone();
    DispatchPendingMessages();
    PaintsDone();
}

static void Send(HWND window, UINT message, WPARAM wParam, POINT point)
{
    SendMessageW(window, message, wParam, MAKELPARAM(point.x, point.y));
}

// A press and a release at once: a click, which needs no hold timer.
static void Click(HWND window, POINT client)
{
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, client);
    Send(window, WM_LBUTTONUP, 0, client);
}

static void Command(int id)
{
    SendMessageW(g_shell.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

static int IndexOf(int column, int row)
{
    for (int i = 0; i < g_game.header.pieceCount; ++i)
        if (g_game.pieces[i].column == column && g_game.pieces[i].row == row)
            return i;
    return -1;
}

static POINT CellCentre(int index)
{
    const ViewGeometry& g = g_geometry;
    return ToClient(g_game.pieces[index].posX * g.rangeX + g.tabMarginX + g.cellWidth / 2,
                    g_game.pieces[index].posY * g.rangeY + g.tabMarginY + g.cellHeight / 2);
}

static POINT HomeCentre(int column, int row)
{
    const ViewGeometry& g = g_geometry;
    return ToClient(g.goalLeft + (column + 0.5) * g.cellWidth,
                    g.goalTop + (row + 0.5) * g.cellHeight);
}

// Where the piece lies while the board actions work with it.
static POINT WorkPlace()
{
    return POINT{g_geometry.bufferWidth / 3, BoxTop() / 3};
}

static bool OnCell(int index, POINT board)
{
    const ViewGeometry& g = g_geometry;
    const int left = (int)(g_game.pieces[index].posX * g.rangeX + g.tabMarginX);
    const int top = (int)(g_game.pieces[index].posY * g.rangeY + g.tabMarginY);
    return left <= board.x && board.x <= left + g.cellWidth && top <= board.y &&
        board.y <= top + g.cellHeight;
}

static bool OnTile(int index, POINT board, int margin)
{
    const ViewGeometry& g = g_geometry;
    const int left = (int)(g_game.pieces[index].posX * g.rangeX);
    const int top = (int)(g_game.pieces[index].posY * g.rangeY);
    return left - margin <= board.x && board.x <= left + g.tileWidth + margin &&
        top - margin <= board.y && board.y <= top + g.tileHeight + margin;
}

// A point of the visible board where a press hits no piece and is far from the selection.
static POINT FreePoint()
{
    const GameHeader& h = g_game.header;
    const int bottom = BoxTop() - 60;
    for (int y = 40; y < bottom; y += 3)
        for (int x = g_geometry.offsetX + 40; x < g_geometry.offsetX + g_geometry.visibleWidth - 80;
             x += 3) {
            POINT board = FromClient(POINT{x, y});
            bool free = true;
            for (int i = h.fixedCount; free && i < h.boardCount; ++i)
                free =
                    i < h.boardCount - h.selectedCount ? !OnCell(i, board) : !OnTile(i, board, 40);
            if (free)
                return POINT{x, y};
        }
    fprintf(stderr, "action_benchmark: no free point on the board\n");
    return POINT{0, 0};
}

// The scenario as it was saved, painted in full.
static void Restore()
{
    memcpy(&g_game, &s_current->game, sizeof g_game);
    memcpy(&g_groups, &s_current->groups, sizeof g_groups);
    g_board.mouseMode = kMouseIdle;
    g_board.dragKind = kDragNone;
    g_box.boxScrollY = 0;
    RefreshBox();
    RedrawBoard(RDW_INVALIDATE | RDW_ERASE);
    Settle();
}

// The working piece lies loose on top of the board at its working place, unselected.
static void PrepareWorkPiece()
{
    Restore();
    const int index = IndexOf(kColumn, kRow);
    if (index >= g_game.header.boardCount) {
        // Out of the box through the box window, then put down by a click.
        const ViewGeometry& g = g_geometry;
        Click(g_box.boxWindow,
              POINT{(int)(g.tabMarginX + g.cellWidth / 2), (int)(g.tabMarginY + g.cellHeight / 2)});
        Settle();
        Click(g_board.window, WorkPlace());
    }
    Settle();
}

static void PrepareSelection()
{
    PrepareWorkPiece();
    Click(g_board.window, CellCentre(g_game.header.boardCount - 1));
    Settle();
}

static double TimeStep(const std::function<void()>& prepare, const std::function<void()>& step)
{
    return MedianAfter(kRuns, prepare, [&] {
        step();
        PaintsDone();
    });
}

static double SelectByClick()
{
    return TimeStep(PrepareWorkPiece,
                    [] { Click(g_board.window, CellCentre(g_game.header.boardCount - 1)); });
}

static double DropByClick()
{
    POINT free;
    return TimeStep(
        [&] {
            PrepareSelection();
            free = FreePoint();
        },
        [&] { Click(g_board.window, free); });
}

static double FixPiece()
{
    return TimeStep(PrepareSelection, [] { Click(g_board.window, HomeCentre(kColumn, kRow)); });
}

// From the fourth visible row, so that the slots after it move up.
static double TakeFromTheBox()
{
    return TimeStep(
        [] {
            PrepareSelection();
            if (g_game.header.pieceCount - g_game.header.boardCount < 10) {
                Command(IDM_PUTINTOBOX);
                Settle();
            }
        },
        [] {
            const ViewGeometry& g = g_geometry;
            const int boxed = g_game.header.pieceCount - g_game.header.boardCount;
            const int slot = boxed > 3 * g_box.boxColumns + 5 ? 3 * g_box.boxColumns + 5 : 0;
            const int column = slot % g_box.boxColumns, row = slot / g_box.boxColumns;
            Click(g_box.boxWindow,
                  POINT{(int)(column * g.tileWidth + g.tabMarginX + g.cellWidth / 2),
                        (int)(row * g.tileHeight + g.tabMarginY + g.cellHeight / 2) -
                            g_box.boxScrollY});
        });
}

static double PutIntoBox()
{
    return TimeStep(PrepareSelection, [] { Command(IDM_PUTINTOBOX); });
}

// Pressed on free space, dragged out over four moves, released: every step painted.
static double Band()
{
    POINT free;
    return TimeStep(
        [&] {
            PrepareWorkPiece();
            free = FreePoint();
        },
        [&] {
            Send(g_board.window, WM_LBUTTONDOWN, MK_LBUTTON, free);
            for (int k = 1; k <= 4; ++k) {
                Send(g_board.window, WM_MOUSEMOVE, MK_LBUTTON,
                     POINT{free.x + 15 * k, free.y + 10 * k});
                UpdateWindow(g_board.window);
            }
            Send(g_board.window, WM_LBUTTONUP, 0, POINT{free.x + 60, free.y + 40});
        });
}

// Down and up in turn, so that the view stays in the middle of the board.
static double Scroll(WORD down, WORD up)
{
    int turn = 0;
    return TimeStep(Settle, [&] {
        SendMessageW(g_board.window, WM_VSCROLL, MAKEWPARAM(turn++ % 2 ? up : down, 0), 0);
    });
}

static int ZoomCommand(int percent)
{
    return ZoomSteps[ZoomIndexForPercent(percent)].command;
}

static double ZoomStep(int fromPercent, int command)
{
    return TimeStep(
        [fromPercent] {
            Command(ZoomCommand(fromPercent));
            Restore();
        },
        [command] { Command(command); });
}

// From the answer to the question until the board and the box are painted.
static double Wizard()
{
    std::vector<double> times;
    for (int r = 0; r < kRuns; ++r) {
        Restore();
        double start = 0;
        WithModalWindow([] { Command(IDM_WIZARD); },
                        [&start](HWND question) {
                            start = Now();
                            PressButton(question, IDYES);
                        });
        PaintsDone();
        GdiFlush();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct WorkingSet {
    double now, peak;  // MB
};

static WorkingSet MeasureWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return WorkingSet{counters.WorkingSetSize / 1048576.0, counters.PeakWorkingSetSize / 1048576.0};
}

struct Action {
    const char* name;
    std::function<double()> run;
};

static const double kFrameMs = 1000.0 / 60;

// A program that refuses a zoom says so in a message box, which would wait for an answer.
static bool s_refused;
static void CommandOrRefusal(int id)
{
    if (!MessageBoxTextDuring([id] { Command(id); }).empty())
        s_refused = true;
}

static double RefusableZoomStep(int fromPercent, int toPercent)
{
    s_refused = false;
    const double time = TimeStep(
        [fromPercent] {
            CommandOrRefusal(ZoomCommand(fromPercent));
            Restore();
        },
        [toPercent] { CommandOrRefusal(ZoomCommand(toPercent)); });
    return s_refused ? -1 : time;
}

// Zoom steps that keep the centre, scrolling and taking at high zoom, with every piece loose
// and with every piece boxed; the working set through every zoom, one step after another.
static void ZoomTable(int fitPercent, const WorkingSet& beforeGame, double pictureMB)
{
    const int zooms[] = {50, 100, 200, 300, 500};
    printf("Zoom steps, %d x %d cut 100 x 100 (decoded picture %.0f MB); ms, then frames at "
           "60 Hz\n\n",
           (int)g_view.pictureInfo.biWidth, (int)g_view.pictureInfo.biHeight, pictureMB);
    printf("| %-28s | %-17s | %-17s |\n", "action (median)", s_loose.name, s_boxed.name);
    printf("|%s|%s|%s|\n", std::string(30, '-').c_str(), std::string(19, '-').c_str(),
           std::string(19, '-').c_str());
    auto row = [](const char* name, const std::function<double()>& run) {
        printf("| %-28s |", name);
        Scenario* scenarios[2] = {&s_loose, &s_boxed};
        for (Scenario* scenario : scenarios) {
            s_current = scenario;
            const double t = run();
            if (t < 0)
                printf(" %-17s |", "refused");
            else
                printf(" %7.1f ms %5.2f |", t, t / kFrameMs);
        }
        printf("\n");
        fflush(stdout);
    };
    char name[64];
    for (int zoom : zooms) {
        snprintf(name, sizeof name, "zoom step %d %% -> %d %%", fitPercent, zoom);
        row(name, [=] { return RefusableZoomStep(fitPercent, zoom); });
        snprintf(name, sizeof name, "zoom step %d %% -> %d %%", zoom, fitPercent);
        row(name, [=] { return RefusableZoomStep(zoom, fitPercent); });
    }
    auto atZoom = [](int percent, const std::function<double()>& action) {
        return [=] {
            Restore();
            s_refused = false;
            CommandOrRefusal(ZoomCommand(percent));
            if (s_refused)
                return -1.0;
            g_board.scrollX = g_geometry.boardWidth / 2;
            g_board.scrollY = g_geometry.boardHeight / 2;
            UpdateScrollBars();
            RedrawBoard(RDW_INVALIDATE);
            Settle();
            return action();
        };
    };
    row("scroll line at 500 %", atZoom(500, [] { return Scroll(SB_LINEDOWN, SB_LINEUP); }));
    row("scroll page at 500 %", atZoom(500, [] { return Scroll(SB_PAGEDOWN, SB_PAGEUP); }));
    s_current = &s_boxed;
    const double take = atZoom(300, TakeFromTheBox)();
    if (take < 0)
        printf("| %-28s |                   | %-17s |\n", "take from the box at 300 %", "refused");
    else
        printf("| %-28s |                   | %7.1f ms %5.2f |\n", "take from the box at 300 %",
               take, take / kFrameMs);

    // Every zoom in turn, up and down again, each painted; the largest working set seen.
    s_current = &s_loose;
    Restore();
    double most = 0;
    int mostAt = 0;
    for (int step = 0; step < 2 * kZoomStepCount; ++step) {
        const int i = step < kZoomStepCount ? step : 2 * kZoomStepCount - 1 - step;
        CommandOrRefusal(ZoomSteps[i].command);
        Settle();
        const WorkingSet now = MeasureWorkingSet();
        if (now.now > most) {
            most = now.now;
            mostAt = ZoomSteps[i].percent;
        }
    }
    printf("\nWorking set before the game %.0f MB, decoded picture %.0f MB: through every zoom "
           "at most %.0f MB (at %d %%), %.0f MB above the two; peak of the process %.0f MB "
           "(the decoding's included)\n",
           beforeGame.now, pictureMB, most, mostAt, most - beforeGame.now - pictureMB,
           MeasureWorkingSet().peak);
}

// A group as the player builds one: the home cells [left, right) x [top, bottom) but one,
// laid together off home and joined. The piece left out lies near its place beside them, so
// that the group, put down after its drag, joins it.
struct GroupLayout {
    int left, top, right, bottom;
    int outColumn, outRow;
};

static const GroupLayout kGroupOf1000 = {4, 14, 95, 25, 94, 19};
static const GroupLayout kGroupOf9999 = {0, 0, 100, 100, 99, 50};
static Scenario s_group1000 = {"group of 1000", {}, {}}, s_group9999 = {"group of 9999", {}, {}};
static const GroupLayout* s_group;
// Each move of the pointer while a group is dragged.
static const POINT kPointerStep = {3, 2};
// Where the press on the group goes, on the working piece, which every group holds, as the
// scenario lays the group out.
static POINT s_press;

static bool InGroup(const GroupLayout& layout, const PieceRecord& piece)
{
    return layout.left <= piece.column && piece.column < layout.right && layout.top <= piece.row &&
        piece.row < layout.bottom &&
        !(piece.column == layout.outColumn && piece.row == layout.outRow);
}

// The piece moves by whole pixels to lie `shift` from home, at the middle of its pixel.
static void LayAtShift(int index, PixelShift shift)
{
    PieceRecord& piece = g_game.pieces[index];
    const PixelShift now = ShiftFromHome(index);
    const int left = (int)(piece.posX * g_geometry.rangeX) + shift.x - now.x;
    const int top = (int)(piece.posY * g_geometry.rangeY) + shift.y - now.y;
    piece.posX = (left + 0.5) / g_geometry.rangeX;
    piece.posY = (top + 0.5) / g_geometry.rangeY;
}

// Far enough from home that neither the group nor the piece it joins is seated by the home
// test.
static PixelShift GroupShift()
{
    return PixelShift{-(int)(3 * g_geometry.cellWidth), -(int)(2 * g_geometry.cellHeight)};
}

// Within the tolerance of where the group lies after two pointer steps, but not exactly
// there, so that the join moves the group.
static PixelShift LeftOutShift()
{
    const PixelShift group = GroupShift();
    return PixelShift{group.x + 2 * kPointerStep.x + 2, group.y + 2 * kPointerStep.y + 1};
}

// From the scattered loose pieces: the group's pieces laid together above all the others,
// the piece left out near them, and joining turned on, which joins the group.
static void MakeGroupScenario(const GroupLayout& layout, Scenario* scenario)
{
    memcpy(&g_game, &s_loose.game, sizeof g_game);
    const int boardCount = g_game.header.boardCount;
    for (int i = 0; i < boardCount; ++i) {
        const PieceRecord& piece = g_game.pieces[i];
        if (InGroup(layout, piece))
            LayAtShift(i, GroupShift());
        else if (piece.column == layout.outColumn && piece.row == layout.outRow)
            LayAtShift(i, LeftOutShift());
    }
    std::stable_partition(g_game.pieces, g_game.pieces + boardCount,
                          [&layout](const PieceRecord& piece) { return !InGroup(layout, piece); });
    SetJoining(true);
    memcpy(&scenario->game, &g_game, sizeof g_game);
    memcpy(&scenario->groups, &g_groups, sizeof g_groups);
}

static int GroupSize(int key)
{
    int size = 0;
    for (int i = 0; i < g_game.header.boardCount; ++i)
        size += GroupKeyOf(g_game.pieces[i]) == key;
    return size;
}

static POINT PointerAfter(int steps)
{
    return POINT{s_press.x + steps * kPointerStep.x, s_press.y + steps * kPointerStep.y};
}

static void PrepareGroup()
{
    Restore();
    s_press = CellCentre(IndexOf(kColumn, kRow));
}

// The button goes down on one of the group's pieces and the first move makes the press a
// drag: the whole group becomes the selection, and the drag's first paint shows it.
static void PressGroup()
{
    Send(g_board.window, WM_LBUTTONDOWN, MK_LBUTTON, s_press);
    Send(g_board.window, WM_MOUSEMOVE, MK_LBUTTON, PointerAfter(1));
}

static void DragGroup()
{
    Send(g_board.window, WM_MOUSEMOVE, MK_LBUTTON, PointerAfter(2));
}

static void DropGroup()
{
    Send(g_board.window, WM_LBUTTONUP, 0, PointerAfter(2));
}

// No message is dispatched between the press and the release: a drag that lost the pointer
// (WM_MOUSELEAVE) would end where the real cursor is.
static void PressedGroup()
{
    PrepareGroup();
    PressGroup();
    PaintsDone();
}

static void DraggedGroup()
{
    PressedGroup();
    DragGroup();
    PaintsDone();
}

// The timings mean nothing if the press missed the group or the drop joined nothing: one
// untimed round checks both.
static bool GroupActionsWork(int groupSize)
{
    PressedGroup();
    const bool pressed = g_game.header.selectedCount == groupSize;
    DragGroup();
    PaintsDone();
    DropGroup();
    PaintsDone();
    const int leftOut = IndexOf(s_group->outColumn, s_group->outRow);
    return pressed && GroupSize(GroupKeyOf(g_game.pieces[leftOut])) == groupSize + 1;
}

static void SetEdgeFilter(bool on)
{
    if ((g_box.edgesOnly != 0) != on)
        Command(IDM_EDGESONLY);
    Settle();
}

// Turned on or off with every piece boxed: the box's list made anew and the box painted.
static double ToggleEdgeFilter(bool on)
{
    s_current = &s_boxed;
    const double time = TimeStep(
        [on] {
            Restore();
            SetEdgeFilter(!on);
        },
        [] { Command(IDM_EDGESONLY); });
    SetEdgeFilter(false);
    return time;
}

// Every loose piece gathered into the selection, then put down in a row by a click on free
// board: with joining on, each of the 10000 joins what it fits, looking only at its
// neighbours.
static double DropEveryLoosePiece(bool joining)
{
    s_current = &s_loose;
    POINT free;
    const double time = TimeStep(
        [&] {
            Restore();
            SetJoining(joining);
            SelectInRect(INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2);
            free = FreePoint();
        },
        [&] { Click(g_board.window, free); });
    SetJoining(false);
    return time;
}

static void GroupRow(const char* name, double time)
{
    printf("| %-44s | %7.1f ms | %6.2f |\n", name, time, time / kFrameMs);
    fflush(stdout);
}

static void GroupTable(int fitPercent)
{
    struct GroupCase {
        const GroupLayout* layout;
        Scenario* scenario;
        int size;
    };
    const GroupCase cases[] = {{&kGroupOf1000, &s_group1000, 1000},
                               {&kGroupOf9999, &s_group9999, 9999}};
    printf("\nGroups (joining on) among 10000 pieces, and the box's edge filter with 10000 "
           "boxed, at %d %%; ms, then frames at 60 Hz\n\n",
           fitPercent);
    printf("| %-44s | %-10s | %-6s |\n", "action (median)", "ms", "frames");
    printf("|%s|%s|%s|\n", std::string(46, '-').c_str(), std::string(12, '-').c_str(),
           std::string(8, '-').c_str());
    char name[96];
    for (const GroupCase& group : cases) {
        s_current = group.scenario;
        s_group = group.layout;
        if (!GroupActionsWork(group.size))
            fprintf(stderr, "action_benchmark: the group of %d was not pressed or did not join\n",
                    group.size);
        snprintf(name, sizeof name, "press a group of %d (down, move, paint)", group.size);
        GroupRow(name, TimeStep(PrepareGroup, PressGroup));
        snprintf(name, sizeof name, "drag a group of %d (move, paint)", group.size);
        GroupRow(name, TimeStep(PressedGroup, DragGroup));
        snprintf(name, sizeof name, "drop a group of %d, joining (up, paint)", group.size);
        GroupRow(name, TimeStep(DraggedGroup, DropGroup));
    }
    GroupRow("drop 10000 selected, joining off (click)", DropEveryLoosePiece(false));
    GroupRow("drop 10000 selected, joining on (click)", DropEveryLoosePiece(true));
    GroupRow("box edge filter on, 10000 boxed", ToggleEdgeFilter(true));
    GroupRow("box edge filter off, 10000 boxed", ToggleEdgeFilter(false));
    s_current = &s_loose;
    Restore();
}

int main(int argc, char** argv)
{
    const bool zoomOnly = argc == 3 && strcmp(argv[1], "--zoom") == 0;
    if (argc != 2 && !zoomOnly) {
        fprintf(stderr, "usage: action_benchmark [--zoom] PHOTO.jpg\n");
        return 2;
    }
    const std::wstring photo = LastArgumentPath();
    OpenBenchWindow();
    SeedRandom(12345);
    const WorkingSet beforeGame = MeasureWorkingSet();
    if (!LoadPhoto(photo.c_str())) {
        fprintf(stderr, "action_benchmark: cannot load %ls\n", photo.c_str());
        return 1;
    }
    const double pictureMB =
        g_view.pictureInfo.biWidth * g_view.pictureInfo.biHeight * 4 / 1048576.0;

    // A new game as "新規作成" makes it, then every piece out of the box, scattered.
    ResetGameState();
    g_game.header.columns = 100;
    g_game.header.rows = 100;
    CutPieces();
    g_box.boxPosition = kBoxAtBottom;
    g_board.gameActive = 1;
    BeginGameView();
    Settle();
    const int fitPercent = ZoomSteps[g_shell.zoomIndex].percent;
    GameHeader& h = g_game.header;
    MoveRecord(IndexOf(kColumn, kRow), 0);
    memcpy(&s_boxed.game, &g_game, sizeof g_game);

    h.boardCount = h.pieceCount;
    for (int i = 0; i < h.pieceCount; ++i) {
        g_game.pieces[i].posX = NextRandom() / 32767.0;
        g_game.pieces[i].posY = NextRandom() / 32767.0;
    }
    MoveRecord(0, h.pieceCount - 1);
    const POINT place = FromClient(WorkPlace());
    g_game.pieces[h.pieceCount - 1].posX = (place.x + 0.5) / g_geometry.rangeX;
    g_game.pieces[h.pieceCount - 1].posY = (place.y + 0.5) / g_geometry.rangeY;
    // Nothing may lie on the working piece's home, where the fixing click goes.
    const POINT home = FromClient(HomeCentre(kColumn, kRow));
    for (int i = 0; i < h.pieceCount - 1; ++i)
        if (OnTile(i, home, 0))
            g_game.pieces[i].posX = g_game.pieces[i].posY = 1;
    memcpy(&s_loose.game, &g_game, sizeof g_game);
    MakeGroupScenario(kGroupOf1000, &s_group1000);
    MakeGroupScenario(kGroupOf9999, &s_group9999);
    s_current = &s_loose;
    Restore();
    if (zoomOnly) {
        ZoomTable(fitPercent, beforeGame, pictureMB);
        DestroyWindow(g_shell.mainWindow);
        return 0;
    }
    const WorkingSet atFitZoom = MeasureWorkingSet();
    Command(ZoomCommand(100));
    Settle();
    const WorkingSet at100 = MeasureWorkingSet();
    Command(ZoomCommand(fitPercent));
    Restore();

    EnsureBoardBuffers();
    const double fullRender = Median(kRuns, 1, [] { RenderBoard(false); });
    Command(ZoomCommand(100));
    Settle();
    EnsureBoardBuffers();
    const double fullRender100 = Median(kRuns, 1, [] { RenderBoard(false); });
    Command(ZoomCommand(fitPercent));
    Settle();

    char zoomUp[64], zoomDown[64];
    const int nextPercent = ZoomSteps[g_shell.zoomIndex + 1].percent;
    snprintf(zoomUp, sizeof zoomUp, "zoom step %d %% -> %d %%", fitPercent, nextPercent);
    snprintf(zoomDown, sizeof zoomDown, "zoom step %d %% -> %d %%", nextPercent, fitPercent);
    const Action atFit[] = {
        {"select by a click", SelectByClick},
        {"drop by a click", DropByClick},
        {"fix a piece (click at home)", FixPiece},
        {"take from the box", TakeFromTheBox},
        {"put the selection into the box", PutIntoBox},
        {"band (press, 4 moves, release)", Band},
        {zoomUp, [=] { return ZoomStep(fitPercent, IDM_ENLARGE); }},
        {zoomDown, [=] { return ZoomStep(nextPercent, IDM_REDUCE); }},
        {"Wizard", Wizard},
    };
    const Action scrollsAt100[] = {
        {"scroll line at 100 %", [] { return Scroll(SB_LINEDOWN, SB_LINEUP); }},
        {"scroll page at 100 %", [] { return Scroll(SB_PAGEDOWN, SB_PAGEUP); }},
    };
    const int actions = sizeof atFit / sizeof atFit[0],
              scrolls = sizeof scrollsAt100 / sizeof scrollsAt100[0];
    double times[2][16];
    Scenario* scenarios[2] = {&s_loose, &s_boxed};
    for (int s = 0; s < 2; ++s) {
        s_current = scenarios[s];
        for (int a = 0; a < actions; ++a) {
            times[s][a] = atFit[a].run();
            Command(ZoomCommand(fitPercent));
        }
        Restore();
        Command(ZoomCommand(100));
        g_board.scrollX = g_geometry.boardWidth / 2;
        g_board.scrollY = g_geometry.boardHeight / 2;
        UpdateScrollBars();
        RedrawBoard(RDW_INVALIDATE);
        Settle();
        for (int a = 0; a < scrolls; ++a)
            times[s][actions + a] = scrollsAt100[a].run();
        Command(ZoomCommand(fitPercent));
    }

    printf("Full render of the board, 10000 loose pieces: %.1f ms at %d %% (the ratios' unit), "
           "%.1f ms at 100 %%\n\n",
           fullRender, fitPercent, fullRender100);
    printf("| %-36s | %-17s | %-17s |\n", "action (median)", s_loose.name, s_boxed.name);
    printf("|%s|%s|%s|\n", std::string(38, '-').c_str(), std::string(19, '-').c_str(),
           std::string(19, '-').c_str());
    for (int a = 0; a < actions + scrolls; ++a) {
        const char* name = a < actions ? atFit[a].name : scrollsAt100[a - actions].name;
        printf("| %-36s | %7.1f ms %5.2f | %7.1f ms %5.2f |\n", name, times[0][a],
               times[0][a] / fullRender, times[1][a], times[1][a] / fullRender);
    }
    printf("\nA scroll line at 100 %% against the full render at 100 %%: %.2f loose, %.2f boxed\n",
           times[0][actions] / fullRender100, times[1][actions] / fullRender100);
    printf("Working set, 10000 pieces of %d x %d (decoded picture %.0f MB):\n",
           (int)g_view.pictureInfo.biWidth, (int)g_view.pictureInfo.biHeight, pictureMB);
    printf("  at %d %%: %.0f MB, peak %.0f MB\n", fitPercent, atFitZoom.now, atFitZoom.peak);
    printf("  at 100 %%: %.0f MB, peak %.0f MB\n", at100.now, at100.peak);
    GroupTable(fitPercent);
    DestroyWindow(g_shell.mainWindow);
    return 0;
}
