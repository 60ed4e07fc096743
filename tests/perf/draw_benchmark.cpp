// Measures the drawing paths that decide how the game feels: a piece, a full board of
// 10000 pieces, a drag paint, the piece images and a whole New. Prints medians in ms.
//   draw_benchmark PHOTO_4000x3000.jpg
#include "tests/perf/bench_support.h"
#include "board/board_mouse.h"
#include "board/board_paint.h"
#include "board/board_state.h"
#include "board/piece_images.h"
#include "board/view_state.h"
#include "board/zoomed_picture.h"
#include "box/box_state.h"
#include "box/box_window.h"
#include "model/cut_pieces.h"
#include "model/game_state.h"
#include "model/random.h"
#include "model/split_counts.h"
#include "shell/game_view.h"
#include "shell/shell_state.h"
#include "shell/zoom_steps.h"
#include "win/image_library.h"
#include <stdio.h>
#include <string>
#include <vector>

static void Row(const char* what, double ms)
{
    printf("| %-62s | %10.3f |\n", what, ms);
}

static void PaintNow()
{
    InvalidateRect(g_board.window, nullptr, FALSE);
    UpdateWindow(g_board.window);
}

static void CutBoard(int columns, int rows)
{
    ResetGameState();
    g_game.header.columns = columns;
    g_game.header.rows = rows;
    CutPieces();
}

// Every piece out of the box, scattered over the board.
static void ScatterAll()
{
    GameHeader& h = g_game.header;
    h.boardCount = h.pieceCount;
    for (int i = 0; i < h.pieceCount; ++i) {
        g_game.pieces[i].posX = NextRandom() / 32767.0;
        g_game.pieces[i].posY = NextRandom() / 32767.0;
    }
}

static void SelectTop(int count)
{
    g_game.header.selectedCount = count;
    int base = g_game.header.boardCount - count;
    for (int k = 0; k < count; ++k) {
        g_game.pieces[base + k].posX = 0.3 + 0.002 * k;
        g_game.pieces[base + k].posY = 0.3 + 0.002 * k;
    }
}

static void MoveSelection(double dx)
{
    for (int j = g_game.header.boardCount - g_game.header.selectedCount;
         j < g_game.header.boardCount; ++j)
        g_game.pieces[j].posX += dx;
}

int main(int argc, char**)
{
    if (argc != 2) {
        fprintf(stderr, "usage: draw_benchmark PHOTO.jpg\n");
        return 2;
    }
    const std::wstring photo = LastArgumentPath();
    OpenBenchWindow();
    SeedRandom(12345);
    if (!LoadPhoto(photo.c_str())) {
        fprintf(stderr, "draw_benchmark: cannot load %ls\n", photo.c_str());
        return 1;
    }
    RECT frame;
    GetWindowRect(g_shell.mainWindow, &frame);
    int fitPercent = (int)((frame.right - frame.left) * 70.0 / g_view.pictureInfo.biWidth);

    printf("| %-62s | %10s |\n", "what (median)", "ms");
    printf("|%s|%s|\n", std::string(64, '-').c_str(), std::string(12, '-').c_str());

    // A piece of a 12 x 9 puzzle at 100 %, the size a player sees most.
    CutBoard(12, 9);
    g_board.gameActive = 1;
    SelectZoom(100, false);
    BuildPieceImages();
    Surface target = {};
    MakeSurface(&target, 800, 800);
    g_board.OptGrayBorder = 1;
    Row("DrawPiece, 12 x 9 at 100 %, grey outline",
        Median(7, 200, [&] { DrawPiece(target, 5, 100, 100); }));
    g_board.OptGrayBorder = 0;
    Row("DrawPiece, 12 x 9 at 100 %, black outline",
        Median(7, 200, [&] { DrawPiece(target, 5, 100, 100); }));
    g_board.OptGrayBorder = 1;

    // 100 x 100 with every piece on the board, at the zoom that fits the screen.
    CutBoard(100, 100);
    ScatterAll();
    SelectZoom(fitPercent, false);
    BuildPieceImages();
    char label[128];
    snprintf(label, sizeof label, "DrawPiece, 100 x 100 at %d %%, grey outline",
             ZoomSteps[g_shell.zoomIndex].percent);
    Row(label, Median(7, 500, [&] { DrawPiece(target, 5, 100, 100); }));
    EnsureBoardBuffers();
    Row("RenderBoard, 100 x 100, all 10000 pieces on the board",
        Median(5, 1, [] { RenderBoard(false); }));

    for (int selected : {1, 10, 100}) {
        SelectTop(selected);
        g_board.dragKind = kDragStarting;
        PaintNow();
        snprintf(label, sizeof label, "drag paint (second and later), %d selected", selected);
        Row(label, Median(7, 10, [] {
                MoveSelection(0.0005);
                PaintNow();
            }));
        g_board.dragKind = kDragNone;
        g_game.header.selectedCount = 0;
    }

    // Real mouse messages into the board window, each followed by its paint.
    for (int selected : {1, 100}) {
        SelectTop(selected);
        const PieceRecord& base = g_game.pieces[g_game.header.boardCount - selected];
        int x = (int)(base.posX * g_geometry.rangeX + g_geometry.tileWidth / 2) - g_board.scrollX +
            g_geometry.offsetX;
        int y = (int)(base.posY * g_geometry.rangeY + g_geometry.tileHeight / 2) - g_board.scrollY +
            g_geometry.offsetY;
        SendMessageW(g_board.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        const int frames = 200;
        double start = Now();
        for (int f = 1; f <= frames; ++f) {
            SendMessageW(g_board.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + f, y + f / 2));
            UpdateWindow(g_board.window);
        }
        GdiFlush();
        double fps = frames * 1000.0 / (Now() - start);
        SendMessageW(g_board.window, WM_LBUTTONUP, 0, MAKELPARAM(x + frames, y + frames / 2));
        UpdateWindow(g_board.window);
        snprintf(label, sizeof label, "drag with the mouse, %d selected: frames per second",
                 selected);
        printf("| %-62s | %10.1f |\n", label, fps);
        g_game.header.selectedCount = 0;
    }

    // Every piece back in the box, the box open at the bottom.
    g_game.header.boardCount = 0;
    g_game.header.fixedCount = 0;
    ShowBox(kBoxShow);
    HWND box = g_box.boxWindow;
    Row("box paint, 10000 boxed pieces (buffer made anew)", Median(5, 1, [box] {
            FreeBoxBuffer();
            InvalidateRect(box, nullptr, FALSE);
            UpdateWindow(box);
        }));
    ShowBox(kBoxClose);

    Row("BuildPieceImages, 4000 x 3000 at the fitting zoom", Median(5, 1, [&] {
            SelectZoom(fitPercent, false);
            BuildPieceImages();
        }));
    Row("BuildPieceImages, 4000 x 3000 at 100 %", Median(3, 1, [] {
            SelectZoom(100, false);
            BuildPieceImages();
        }));

    ForgetZoomedPicture();
    ReleasePicture((PictureHandle)g_view.pictureDib);
    g_view.pictureDib = nullptr;
    Row("New: decode, cut, images, first paint (4000 x 3000, 12 x 9)", Median(3, 1, [&] {
            ForgetZoomedPicture();
            ReleasePicture((PictureHandle)g_view.pictureDib);
            LoadPhoto(photo.c_str());
            CutBoard(10, 10);
            SquareSplitCounts(&g_game.header.columns, &g_game.header.rows,
                              g_view.pictureInfo.biWidth, g_view.pictureInfo.biHeight);
            int columns = g_game.header.columns, rows = g_game.header.rows;
            CutBoard(columns, rows);
            SelectZoom(fitPercent, false);
            BuildPieceImages();
            PaintNow();
        }));

    FreeSurface(&target);
    DestroyWindow(g_shell.mainWindow);
    return 0;
}
