#include <algorithm>
#include <climits>
#include <cstdio>
#include <random>

#include <gtest/gtest.h>

#include "tests/model/puzzle_setup.h"
#include "model/home_test.h"
#include "model/piece_moves.h"

namespace {

const int kZoomPercents[] = {1, 2, 3, 5, 7, 10, 15, 20, 30, 50, 75, 100, 150, 200, 300, 500};

// The fan spreads are bookkeeping for the drawing, not part of the game's progress.
std::vector<char> ProgressBytes()
{
    std::vector<char> bytes = TableBytes();
    std::fill(bytes.begin() + offsetof(GameHeader, fanSpreadX),
              bytes.begin() + offsetof(GameHeader, wizardCount), 0);
    return bytes;
}

class Play {
public:
    explicit Play(unsigned seed)
        : random_(seed)
    {
    }

    int Index(int begin, int end) { return begin + (int)(random_() % (unsigned)(end - begin)); }

    int Point()
    {
        const int extremes[] = {INT_MIN, -100000, -1, 0, 100000, INT_MAX};
        if (random_() % 8 == 0)
            return extremes[random_() % 6];
        return Index(-100, 700);
    }

    double Position()
    {
        const double extremes[] = {std::nan(""), -HUGE_VAL, HUGE_VAL, -1e300, 1e300, -0.0};
        if (random_() % 8 == 0)
            return extremes[random_() % 6];
        return std::uniform_real_distribution<double>(-0.5, 1.5)(random_);
    }

    // One operation as the board, the box or a command would call it; false for a zoom change.
    bool Step()
    {
        GameHeader& h = g_game.header;
        const int loose = h.boardCount - h.selectedCount;
        switch (random_() % 10) {
        case 0:
        case 1:
            if (h.boardCount < h.pieceCount)
                TakeFromBox(Index(h.boardCount, h.pieceCount));
            return true;
        case 2: ReturnSelectionToBox(); return true;
        case 3: PickAt(Point(), Point(), random_() % 2 == 0); return true;
        case 4: SelectInRect(Point(), Point(), Point(), Point()); return true;
        case 5:
            if (h.selectedCount > 0) {
                SetPiecePosition(loose, Position(), Position());
                ArrangeFan();
            }
            return true;
        case 6: DropSelection(Point(), Point()); return true;
        case 7:
            if (loose > h.fixedCount) {
                const int i = Index(h.fixedCount, loose);
                SeatAtHome(i);
                SetPiecePosition(
                    i, g_game.pieces[i].posX + Index(-15, 15) / std::max(g_geometry.rangeX, 1.0),
                    g_game.pieces[i].posY + Index(-15, 15) / std::max(g_geometry.rangeY, 1.0));
                TryFixPiece(i);
            }
            return true;
        case 8:
            if (random_() % 60 == 0)
                RunWizard();
            return true;
        default:
            ComputeViewGeometry(400, 300, kZoomPercents[random_() % 16], h.columns, h.rows);
            ReseatFixedPieces();
            return false;
        }
    }

private:
    std::mt19937 random_;
};

TEST(MoveSequenceTest, RandomPlayKeepsTheTableConsistentAndMarksEveryChange)
{
    const unsigned firstSeed = std::random_device()();
    std::printf("seed %u\n", firstSeed);
    const int grids[][2] = {{10, 10}, {3, 7}, {1, 4}, {6, 1}};
    for (int run = 0; run < 8; ++run) {
        const unsigned seed = firstSeed + run;
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        StartPuzzle(grids[run % 4][0], grids[run % 4][1], seed);
        Play play(seed);
        for (int step = 0; step < 1500; ++step) {
            const std::vector<char> before = ProgressBytes();
            ResetShellStandIn();
            const bool marks = play.Step();
            ASSERT_TRUE(TableIsConsistent()) << "step " << step;
            if (marks && before != ProgressBytes()) {
                ASSERT_NE(g_shell.calls.end(),
                          std::find(g_shell.calls.begin(), g_shell.calls.end(), "SetModified(1)"))
                    << "step " << step;
            }
        }
    }
}

}  // namespace
