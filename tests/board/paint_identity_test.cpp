// Whatever the player does, the board and the box show exactly what a full render of the
// game gives: random sequences of actions through the real windows, and after every step
// the buffers and the windows compared with full renders, pixel by pixel.
// QUILTRA_SEED=n replays a sequence; the seed in use is printed.
#include "tests/board/board_fixture.h"
#include "tests/support/dib32.h"
#include "tests/support/modal_driver.h"
#include "tests/support/test_seed.h"
#include "board/board_paint.h"
#include "board/board_state.h"
#include "board/piece_images.h"
#include "board/zoomed_picture.h"
#include "box/box_state.h"
#include "box/box_window.h"
#include "model/cut_pieces.h"
#include "model/group_joining.h"
#include "model/piece_groups.h"
#include "model/random.h"
#include "resources/resource_ids.h"
#include "shell/game_view.h"
#include "shell/zoom_steps.h"
#include "win/image_library.h"
#include <algorithm>
#include <functional>
#include <random>
#include <sstream>
#include <stdio.h>
#include <vector>

namespace {

// A surface of the same size as another, standing in for it while a full render runs, so
// that the render leaves what the game keeps as it was.
struct StandIn {
    Surface* real;
    Surface saved;
    Surface scratch;
    StandIn(Surface* surface, int width, int height)
        : real(surface)
        , saved(*surface)
        , scratch()
    {
        MakeSurface(&scratch, width, height);
        *real = scratch;
    }
    ~StandIn()
    {
        *real = saved;
        FreeSurface(&scratch);
    }
};

// A 32-bit DIB kept from one check to the next, with the pixels it was last given.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    DWORD* bits = nullptr;
    int width = 0, height = 0;

    void Size(int w, int h)
    {
        if (w == width && h == height)
            return;
        if (dc) {
            DeleteDC(dc);
            DeleteObject(bitmap);
        }
        width = w;
        height = h;
        bitmap = CreateDib32(w, h, &bits);
        dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, bitmap);
    }
    ~Canvas()
    {
        if (dc) {
            DeleteDC(dc);
            DeleteObject(bitmap);
        }
    }
    void Take(HDC source, int w, int h, std::vector<DWORD>* pixels)
    {
        Size(w, h);
        BitBlt(dc, 0, 0, w, h, source, 0, 0, SRCCOPY);
        GdiFlush();
        pixels->assign(bits, bits + (size_t)w * h);
    }
};

bool Inside(const RECT& rect, int x, int y)
{
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// Equal pixels outside an ignored rectangle; says where the differences lie.
std::string Differences(const std::vector<DWORD>& actual, const std::vector<DWORD>& expected,
                        int width, const RECT& ignore = RECT{0, 0, 0, 0})
{
    const int height = (int)(actual.size() / width);
    int count = 0;
    RECT box = {width, height, 0, 0};
    std::ostringstream first;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const DWORD a = actual[(size_t)y * width + x] & 0xFFFFFF;
            const DWORD e = expected[(size_t)y * width + x] & 0xFFFFFF;
            if (a == e || Inside(ignore, x, y))
                continue;
            if (count++ == 0)
                first << "first at (" << x << ", " << y << "): 0x" << std::hex << a
                      << " instead of 0x" << e << std::dec;
            box.left = std::min(box.left, (LONG)x);
            box.top = std::min(box.top, (LONG)y);
            box.right = std::max(box.right, (LONG)x + 1);
            box.bottom = std::max(box.bottom, (LONG)y + 1);
        }
    if (count == 0)
        return "";
    std::ostringstream out;
    out << count << " pixels differ within " << box << ", " << first.str();
    return out.str();
}

void TakeClient(Canvas* canvas, HWND window, std::vector<DWORD>* pixels)
{
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    canvas->Take(dc, client.right, client.bottom, pixels);
    ReleaseDC(window, dc);
}

// The box's frame in the board window's client area: the board's pixels there are the box's.
RECT BoxArea()
{
    RECT frame = {0, 0, 0, 0};
    if (g_box.boxWindow) {
        GetWindowRect(g_box.boxWindow, &frame);
        MapWindowPoints(HWND_DESKTOP, g_board.window, (POINT*)&frame, 2);
    }
    return frame;
}

// The zoomed picture as it was made before it came in tiles: the whole picture scaled at
// once, then shown as it is (a scaling to the same size copies every pixel). Undone when it
// goes out of scope.
class WholePictureShown {
public:
    WholePictureShown()
    {
        const ViewGeometry& g = g_geometry;
        source = (const uint32_t*)GetPicturePixels((PictureHandle)g_view.pictureDib);
        width = g_view.pictureInfo.biWidth;
        height = g_view.pictureInfo.biHeight;
        whole.resize((size_t)g.scaledWidth * g.scaledHeight);
        EXPECT_TRUE(ScalePixels((const unsigned char*)source, width, width, height, g.scaledWidth,
                                g.scaledHeight, PixelRect{0, 0, g.scaledWidth, g.scaledHeight},
                                (unsigned char*)whole.data(), g.scaledWidth));
        SetZoomedPicture(whole.data(), g.scaledWidth, g.scaledHeight, g.scaledWidth,
                         g.scaledHeight);
    }
    ~WholePictureShown()
    {
        SetZoomedPicture(source, width, height, g_geometry.scaledWidth, g_geometry.scaledHeight);
    }

private:
    const uint32_t* source;
    int width, height;
    std::vector<uint32_t> whole;
};

class PaintIdentity : public BoardTest {
protected:
    void StartPuzzle(int columns, int rows)
    {
        seed = SeedFromEnvironment();
        printf("paint identity, %d x %d: QUILTRA_SEED=%u\n", columns, rows, seed);
        fflush(stdout);
        random.seed(seed);
        SeedRandom(seed);
        ResetGameState();
        g_game.header.columns = columns;
        g_game.header.rows = rows;
        CutPieces();
        g_box.boxPosition = kBoxAtBottom;
        g_box.goalPictureShown = 0;
        g_board.OptGrayBorder = 0;
        g_board.OptGoalBorder = 1;
        g_box.edgesOnly = 0;
        SetJoining(false);
        BeginGameView();
        // The real pointer stays off the board, so that no move of its own comes in.
        SetCursorPos(0, 0);
        Settle();
    }

    void Play(int steps, int lowestZoom, int highestZoom)
    {
        lowest = lowestZoom;
        highest = highestZoom;
        for (step = 1; step <= steps && !HasFailure(); ++step)
            RandomAction();
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    // Up to most either way, never 0: a right drag that does not move would be a right
    // click, whose menu waits for an answer.
    int Offset(int most) { return Between(1, most) * (Pick(2) ? 1 : -1); }

    // Every action runs where a message box it opens is answered.
    void Act(const std::string& what, const std::function<void()>& action)
    {
        doing = what;
        WithModalWindowIfAny(
            action, [](HWND box) { PressButton(box, GetDlgItem(box, IDYES) ? IDYES : IDOK); });
        Settle();
        Check();
    }

    void Settle()
    {
        UpdateWindow(g_board.window);
        if (g_box.boxWindow)
            UpdateWindow(g_box.boxWindow);
    }

    std::string Where()
    {
        std::ostringstream out;
        out << "QUILTRA_SEED=" << seed << ", step " << step << ": " << doing;
        return out.str();
    }

    void Check()
    {
        Settle();
        if (!HasZoomedPicture() || !g_view.boardBuffer.dc)
            return;
        const ViewGeometry& g = g_geometry;
        const int width = g.bufferWidth, height = g.bufferHeight;
        canvas.Take(g_view.boardBuffer.dc, width, height, &shown);
        {
            StandIn full(&g_view.boardBuffer, width, height);
            RenderBoard(false);
            canvas.Take(g_view.boardBuffer.dc, width, height, &rendered);

            // The window: grey around the board, the full render, and the overlays on top.
            RECT whole = {0, 0, width, height};
            FillRect(canvas.dc, &whole, g_brushes.grey);
            BitBlt(canvas.dc, g.offsetX, g.offsetY, g.visibleWidth, g.visibleHeight,
                   g_view.boardBuffer.dc, 0, 0, SRCCOPY);
        }
        EXPECT_EQ("", Differences(shown, rendered, width)) << "board buffer, " << Where();
        HDC paintDC = g_view.paintDC;
        g_view.paintDC = canvas.dc;
        PaintOverlays();
        g_view.paintDC = paintDC;
        GdiFlush();
        expected.assign(canvas.bits, canvas.bits + (size_t)width * height);
        TakeClient(&canvas, g_board.window, &shown);
        EXPECT_EQ("", Differences(shown, expected, width, BoxArea()))
            << "board window, " << Where();
        {
            StandIn full(&g_view.boardBuffer, width, height);
            WholePictureShown whole;
            RenderBoard(false);
            canvas.Take(g_view.boardBuffer.dc, width, height, &expected);
        }
        EXPECT_EQ("", Differences(rendered, expected, width))
            << "board buffer against the whole picture scaled at once, " << Where();
        CheckBox();
    }

    void CheckBox()
    {
        if (!g_box.boxWindow || !g_box.buffer.dc || IsIconic(g_box.boxWindow))
            return;
        const int width = g_box.boxClientWidth, height = g_box.boxClientHeight;
        boxCanvas.Take(g_box.buffer.dc, width, height, &expected);
        TakeClient(&boxCanvas, g_box.boxWindow, &shown);
        EXPECT_EQ("", Differences(shown, expected, width)) << "box window, " << Where();
        if (g_box.goalPictureShown)
            return;
        StandIn full(&g_box.buffer, width, height);
        RenderBoxPieces();
        boxCanvas.Take(g_box.buffer.dc, width, height, &rendered);
        EXPECT_EQ("", Differences(expected, rendered, width)) << "box buffer, " << Where();
        WholePictureShown whole;
        RenderBoxPieces();
        boxCanvas.Take(g_box.buffer.dc, width, height, &expected);
        EXPECT_EQ("", Differences(rendered, expected, width))
            << "box buffer against the whole picture scaled at once, " << Where();
    }

    POINT RandomBoardPoint()
    {
        return POINT{Between(0, g_geometry.bufferWidth - 1),
                     Between(0, g_geometry.bufferHeight - 1)};
    }

    POINT CellCentreInWindow(int index) { return ToClient(CellCentre(index)); }

    POINT HomeCentreInWindow(int index)
    {
        const ViewGeometry& g = g_geometry;
        const PieceRecord& piece = g_game.pieces[index];
        return ToClient(POINT{(int)(g.goalLeft + (piece.column + 0.5) * g.cellWidth),
                              (int)(g.goalTop + (piece.row + 0.5) * g.cellHeight)});
    }

    // A loose or selected piece, or a point anywhere.
    POINT PressPoint()
    {
        const GameHeader& h = g_game.header;
        if (h.boardCount > h.fixedCount && Pick(4) != 0)
            return CellCentreInWindow(Between(h.fixedCount, h.boardCount - 1));
        return RandomBoardPoint();
    }

    static void Send(HWND window, UINT message, WPARAM wParam, POINT point)
    {
        SendMessageW(window, message, wParam, MAKELPARAM(point.x, point.y));
    }

    static void Command(int id)
    {
        SendMessageW(g_shell.mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }

    // A press, moves that are each painted and checked, and the release.
    void Gesture(HWND window, bool right, POINT from, POINT to, int moves)
    {
        const UINT down = right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
                   up = right ? WM_RBUTTONUP : WM_LBUTTONUP;
        const WPARAM held = right ? MK_RBUTTON : MK_LBUTTON;
        Act(doing, [=] { Send(window, down, held, from); });
        for (int k = 1; k <= moves && !HasFailure(); ++k) {
            POINT at = {from.x + (to.x - from.x) * k / moves, from.y + (to.y - from.y) * k / moves};
            Act(doing, [=] { Send(window, WM_MOUSEMOVE, held, at); });
        }
        Act(doing, [=] { Send(window, up, 0, to); });
    }

    void Click(HWND window, POINT point)
    {
        Act(doing, [=] {
            Send(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
            Send(window, WM_LBUTTONUP, 0, point);
        });
    }

    void TakeFromBox()
    {
        const GameHeader& h = g_game.header;
        const int boxed = h.pieceCount - h.boardCount;
        if (!g_box.boxWindow || boxed == 0 || g_box.goalPictureShown)
            return;
        const ViewGeometry& g = g_geometry;
        const int firstRow = g_box.boxScrollY / (int)g.tileHeight;
        const int rows = g_box.boxClientHeight / (int)g.tileHeight + 1;
        const int slot = std::min(
            boxed - 1, (firstRow + Pick(rows)) * g_box.boxColumns + Pick(g_box.boxColumns));
        const POINT cell = {
            (int)(slot % g_box.boxColumns * g.tileWidth + g.tabMarginX + g.cellWidth / 2),
            (int)(slot / g_box.boxColumns * g.tileHeight + g.tabMarginY + g.cellHeight / 2) -
                g_box.boxScrollY};
        doing = "take from the box, slot " + std::to_string(slot);
        Click(g_box.boxWindow, cell);
    }

    void Drag()
    {
        const POINT from = PressPoint();
        const POINT to = {from.x + Between(-120, 120), from.y + Between(-120, 120)};
        doing = "drag from " + Text(from) + " to " + Text(to);
        Gesture(g_board.window, false, from, to, Between(1, 4));
    }

    // A single selected piece taken home by a drag or a click.
    void FixSelected()
    {
        const GameHeader& h = g_game.header;
        if (h.selectedCount != 1)
            return;
        const int piece = h.boardCount - 1;
        const POINT home = HomeCentreInWindow(piece);
        if (Pick(2)) {
            doing = "click at home " + Text(home);
            Click(g_board.window, home);
            return;
        }
        const POINT from = CellCentreInWindow(piece);
        doing = "drag home from " + Text(from) + " to " + Text(home);
        Gesture(g_board.window, false, from, home, Between(1, 3));
    }

    void Scroll()
    {
        static const WORD codes[] = {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN,
                                     SB_THUMBPOSITION};
        const WORD code = codes[Pick(5)];
        const bool vertical = Pick(2);
        const int extent = vertical ? g_geometry.boardHeight : g_geometry.boardWidth;
        const WORD position = (WORD)Pick(std::max(1, extent));
        doing = std::string("scroll the board ") + (vertical ? "down " : "across ") +
            std::to_string(code) + " " + std::to_string(position);
        Act(doing, [=] {
            SendMessageW(g_board.window, vertical ? WM_VSCROLL : WM_HSCROLL,
                         MAKEWPARAM(code, position), 0);
        });
    }

    void ScrollBox()
    {
        if (!g_box.boxWindow)
            return;
        if (Pick(3) == 0) {
            const POINT from = {Between(0, g_box.boxClientWidth - 1),
                                Between(0, g_box.boxClientHeight - 1)};
            const POINT to = {from.x, from.y + Offset(150)};
            doing = "drag the box's content from " + Text(from) + " to " + Text(to);
            Gesture(g_box.boxWindow, true, from, to, Between(1, 3));
            return;
        }
        static const WORD codes[] = {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN,
                                     SB_THUMBPOSITION};
        const WORD code = codes[Pick(5)];
        const WORD position = (WORD)Pick(std::max(1, g_box.boxContentHeight));
        doing = "scroll the box " + std::to_string(code) + " " + std::to_string(position);
        Act(doing,
            [=] { SendMessageW(g_box.boxWindow, WM_VSCROLL, MAKEWPARAM(code, position), 0); });
    }

    void Zoom()
    {
        const int percent = ZoomSteps[g_shell.zoomIndex].percent;
        int command;
        if (Pick(3) == 0) {
            int index;
            do
                index = Pick(kZoomStepCount);
            while (ZoomSteps[index].percent < lowest || ZoomSteps[index].percent > highest);
            command = ZoomSteps[index].command;
        } else if (percent <= lowest || (percent < highest && Pick(2))) {
            command = IDM_ENLARGE;
        } else {
            command = IDM_REDUCE;
        }
        doing =
            "zoom command " + std::to_string(command) + " from " + std::to_string(percent) + " %";
        Act(doing, [=] { Command(command); });
    }

    void RunCommand(const char* what, int id)
    {
        doing = what;
        Act(doing, [=] { Command(id); });
    }

    static std::string Text(POINT point)
    {
        return "(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
    }

    void RandomAction()
    {
        const int roll = Pick(100);
        if (roll < 20) {
            TakeFromBox();
        } else if (roll < 32) {
            const POINT point = PressPoint();
            doing = "click at " + Text(point);
            Click(g_board.window, point);
        } else if (roll < 44) {
            Drag();
        } else if (roll < 52) {
            FixSelected();
        } else if (roll < 58) {
            const POINT from = RandomBoardPoint();
            const POINT to = {from.x + Between(-200, 200), from.y + Between(-200, 200)};
            doing = "band from " + Text(from) + " to " + Text(to);
            Gesture(g_board.window, false, from, to, Between(1, 4));
        } else if (roll < 62) {
            const POINT from = RandomBoardPoint();
            const POINT to = {from.x + Offset(100), from.y + Between(-100, 100)};
            doing = "pan from " + Text(from) + " to " + Text(to);
            Gesture(g_board.window, true, from, to, Between(1, 3));
        } else if (roll < 70) {
            Scroll();
        } else if (roll < 75) {
            ScrollBox();
        } else if (roll < 80) {
            Zoom();
        } else if (roll < 86) {
            RunCommand("put the selection into the box", IDM_PUTINTOBOX);
        } else if (roll < 88) {
            RunCommand("grey outlines", IDM_OPTGRAYBORDER);
        } else if (roll < 89) {
            RunCommand("outlines on the finished picture", IDM_OPTGOALBORDER);
        } else if (roll < 91) {
            RunCommand("finished picture in the box", IDM_GOALPICTURE);
        } else if (roll < 96) {
            static const int places[] = {IDM_BOXBOTTOM, IDM_BOXTOP,       IDM_BOXRIGHT,
                                         IDM_BOXLEFT,   IDM_BOXMAXIMISED, IDM_BOXTOGGLE};
            const int place = places[Pick(6)];
            doing = "box place " + std::to_string(place);
            Act(doing, [=] { Command(place); });
        } else if (roll < 98) {
            RunCommand("Wizard", IDM_WIZARD);
        } else if (roll < 99) {
            RunCommand("joining pieces", IDM_OPTJOINPIECES);
        } else {
            RunCommand("edge pieces only", IDM_EDGESONLY);
        }
    }

    Canvas canvas, boxCanvas;
    std::vector<DWORD> shown, rendered, expected;
    unsigned seed = 0;
    std::mt19937 random;
    int step = 0;
    int lowest = 1, highest = 500;
    std::string doing;
};

TEST_F(PaintIdentity, ASmallPuzzle)
{
    StartPuzzle(10, 10);
    Play(200, 50, 500);
}

TEST_F(PaintIdentity, ALargePuzzle)
{
    StartPuzzle(50, 40);
    Play(120, 30, 500);
}

}  // namespace
