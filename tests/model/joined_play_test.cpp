// Random play with joining on, checked after every step against what joining promises.
#include <cstdio>
#include <cstring>
#include <map>
#include <random>

#include <gtest/gtest.h>

#include "tests/model/puzzle_setup.h"
#include "tests/support/test_seed.h"
#include "files/game_format.h"
#include "model/home_test.h"
#include "model/home_tolerance.h"
#include "model/group_joining.h"
#include "model/piece_groups.h"
#include "model/piece_moves.h"

namespace {

// Every group lies whole on the board at one shift from home, loose or selected as a whole;
// every two loose side neighbours that sit exactly together are of one group; the table
// itself stays in order.
::testing::AssertionResult GroupsHold()
{
    const ::testing::AssertionResult table = TableIsConsistent();
    if (!table)
        return table;
    const GameHeader& h = g_game.header;
    const int selectionStart = h.boardCount - h.selectedCount;
    std::map<int, std::vector<int>> groups;
    std::vector<int> indexOfCell(h.pieceCount);
    for (int i = 0; i < h.pieceCount; ++i) {
        const PieceRecord& piece = g_game.pieces[i];
        indexOfCell[CellOf(piece)] = i;
        if (IsAlone(piece))
            continue;
        if (i < h.fixedCount || i >= h.boardCount)
            return ::testing::AssertionFailure() << "grouped piece off the board at " << i;
        groups[GroupKeyOf(piece)].push_back(i);
    }
    for (const auto& group : groups) {
        const std::vector<int>& members = group.second;
        const int first = members[0];
        if (members.size() < 2 || IsAlone(g_game.pieces[indexOfCell[group.first]]))
            return ::testing::AssertionFailure() << "group " << group.first << " is no group";
        for (int i : members) {
            if ((i >= selectionStart) != (first >= selectionStart))
                return ::testing::AssertionFailure() << "group " << group.first << " split";
            if (!SameShift(ShiftFromHome(i), ShiftFromHome(first)))
                return ::testing::AssertionFailure()
                    << "group " << group.first << ": entry " << i << " is at " << ShiftFromHome(i).x
                    << "," << ShiftFromHome(i).y << " from home, entry " << first << " at "
                    << ShiftFromHome(first).x << "," << ShiftFromHome(first).y;
        }
    }
    for (int i = h.fixedCount; i < selectionStart; ++i) {
        const PieceRecord& piece = g_game.pieces[i];
        const int right = piece.column + 1 < h.columns ? indexOfCell[CellOf(piece) + h.rows] : -1;
        const int below = piece.row + 1 < h.rows ? indexOfCell[CellOf(piece) + 1] : -1;
        for (int j : {right, below}) {
            if (j < h.fixedCount || j >= selectionStart ||
                !SameShift(ShiftFromHome(i), ShiftFromHome(j)))
                continue;
            if (GroupKeyOf(piece) != GroupKeyOf(g_game.pieces[j]))
                return ::testing::AssertionFailure()
                    << "entries " << i << " and " << j << " sit together apart";
        }
    }
    return ::testing::AssertionSuccess();
}

class JoinedPlay {
public:
    explicit JoinedPlay(unsigned seed)
        : random_(seed)
    {
        // Off to the side of the goal area, where the player builds: whole groups there
        // keep meeting in corners, which one drop must join together.
        workspace_ = PixelShift{Between(-40, 40), Between(-40, 40)};
    }

    int Between(int low, int high) { return low + (int)(random_() % (unsigned)(high - low + 1)); }

    int BoardX() { return Between(-20, g_geometry.boardWidth + 20); }
    int BoardY() { return Between(-20, g_geometry.boardHeight + 20); }

    // Within the tolerance mostly, sometimes just outside it.
    int Jitter(double cell)
    {
        const int reach = (int)(kHomeToleranceCells * cell + kHomeTolerancePixels);
        return Between(-reach - 2, reach + 2);
    }

    // Presses the piece's cell, drags it to lie off by `shift` from home and lets go, as the
    // board's mouse does.
    void DragTo(int index, PixelShift shift)
    {
        const ViewGeometry& view = g_geometry;
        const PieceRecord& piece = g_game.pieces[index];
        const int x = (int)(piece.posX * view.rangeX + view.tabMarginX + view.cellWidth / 2);
        const int y = (int)(piece.posY * view.rangeY + view.tabMarginY + view.cellHeight / 2);
        const PixelShift from = ShiftFromHome(index);
        if (!PickAt(x, y, false))
            return;
        MoveSelection(shift.x - from.x, shift.y - from.y);
        PutDownSelection();
    }

    // Mostly a side neighbour, loose or boxed, of a loose piece lying at the workspace;
    // -1 where there is none.
    int NeighbourOfWorkspace()
    {
        const GameHeader& h = g_game.header;
        std::vector<int> there;
        for (int i = h.fixedCount; i < h.boardCount - h.selectedCount; ++i)
            if (SameShift(ShiftFromHome(i), workspace_))
                there.push_back(i);
        // Now and then a piece away from the rest starts a group of its own there.
        if (there.empty() || Between(0, 3) == 0)
            return h.fixedCount < h.pieceCount ? Between(h.fixedCount, h.pieceCount - 1) : -1;
        const PieceRecord& piece = g_game.pieces[there[Between(0, (int)there.size() - 1)]];
        const int steps[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
        const int* step = steps[Between(0, 3)];
        for (int j = h.fixedCount; j < h.pieceCount; ++j)
            if (g_game.pieces[j].column == piece.column + step[0] &&
                g_game.pieces[j].row == piece.row + step[1])
                return j;
        return -1;
    }

    // A loose piece with a side neighbour on the board, or -1.
    int LoosePieceWithNeighbour(int* neighbour)
    {
        const GameHeader& h = g_game.header;
        const int looseEnd = h.boardCount - h.selectedCount;
        if (looseEnd <= h.fixedCount)
            return -1;
        for (int tries = 0; tries < 20; ++tries) {
            const int i = Between(h.fixedCount, looseEnd - 1);
            for (int j = h.fixedCount; j < h.boardCount; ++j) {
                const int dc = g_game.pieces[j].column - g_game.pieces[i].column;
                const int dr = g_game.pieces[j].row - g_game.pieces[i].row;
                if (std::abs(dc) + std::abs(dr) == 1) {
                    *neighbour = j;
                    return i;
                }
            }
        }
        return -1;
    }

    // Returns whether the step was the Wizard's.
    bool Step()
    {
        GameHeader& h = g_game.header;
        const ViewGeometry& view = g_geometry;
        const int roll = Between(0, 99);
        if (roll < 22) {
            if (h.boardCount < h.pieceCount)
                TakeFromBox(Between(h.boardCount, h.pieceCount - 1));
        } else if (roll < 27) {
            ReturnSelectionToBox();
        } else if (roll < 37) {
            PickAt(BoardX(), BoardY(), Between(0, 1) == 1);
        } else if (roll < 42) {
            const int x = BoardX(), y = BoardY();
            SelectInRect(x, y, x + Between(0, 300), y + Between(0, 300));
        } else if (roll < 52) {
            MoveSelection(Between(-800, 800), Between(-800, 800));
        } else if (roll < 60) {
            DropSelection(BoardX(), BoardY());
        } else if (roll < 66) {
            PutDownSelection();
        } else if (roll < 80) {
            int neighbour;
            const int i = LoosePieceWithNeighbour(&neighbour);
            if (i >= 0) {
                const PixelShift there = neighbour < h.fixedCount ? PixelShift{0, 0}
                                                                  : ShiftFromHome(neighbour);
                DragTo(i, PixelShift{there.x + Jitter(view.cellWidth),
                                     there.y + Jitter(view.cellHeight)});
            }
        } else if (roll < 88) {
            const int piece = NeighbourOfWorkspace();
            const bool exactly = Between(0, 2) == 0;
            const PixelShift target{workspace_.x + (exactly ? 0 : Jitter(view.cellWidth)),
                                    workspace_.y + (exactly ? 0 : Jitter(view.cellHeight))};
            if (piece >= h.boardCount && h.selectedCount == 0) {
                TakeFromBox(piece);
                const PixelShift from = ShiftFromHome(h.boardCount - 1);
                MoveSelection(target.x - from.x, target.y - from.y);
                PutDownSelection();
            } else if (piece >= h.fixedCount && piece < h.boardCount - h.selectedCount) {
                DragTo(piece, target);
            }
        } else if (roll < 95) {
            const int looseEnd = h.boardCount - h.selectedCount;
            if (looseEnd > h.fixedCount)
                DragTo(Between(h.fixedCount, looseEnd - 1),
                       PixelShift{Jitter(view.cellWidth), Jitter(view.cellHeight)});
        } else if (roll < 96) {
            ZoomThereAndBack();
        } else if (roll < 97) {
            if (Between(0, 9) == 0) {
                RunWizard();
                return true;
            }
        } else {
            SaveAndReopen();
        }
        return false;
    }

    // Groups are laid out again at every zoom: each stays whole there, and back at the
    // zoom it was built at it lies where it lay unless an edge held it.
    void ZoomThereAndBack()
    {
        // Not below 10 %: this picture's tiles have a few pixels of travel there, less than a
        // group spans, and the board's edges cannot hold every group whole.
        const int percents[] = {10, 15, 30, 75, 150, 300, 500};
        const GameHeader& h = g_game.header;
        const std::vector<char> before = TableBytes();
        const int percent = percents[Between(0, 6)];
        ComputeViewGeometry(400, 300, percent, h.columns, h.rows);
        ReseatFixedPieces();
        ReseatGroups();
        std::map<int, int> firstOfGroup;
        for (int i = h.fixedCount; i < h.boardCount; ++i) {
            if (IsAlone(g_game.pieces[i]))
                continue;
            const int first = firstOfGroup.emplace(GroupKeyOf(g_game.pieces[i]), i).first->second;
            ASSERT_TRUE(SameShift(ShiftFromHome(i), ShiftFromHome(first)))
                << "entries " << first << " and " << i << " apart at " << percent << " %, travel "
                << g_geometry.rangeX << " x " << g_geometry.rangeY;
        }
        ComputeViewGeometry(400, 300, 100, h.columns, h.rows);
        ReseatFixedPieces();
        ReseatGroups();
        ++zoomTrips;
        zoomTripsThatMoved += before != TableBytes() ? 1 : 0;
    }

    int zoomTrips = 0, zoomTripsThatMoved = 0;

    // The game as a file writes it and the loader reads it back: the same table, the same
    // groups.
    void SaveAndReopen()
    {
        static LoadedGame loaded;
        std::vector<unsigned char> bytes;
        char field[kGamePathSize] = "picture.png";
        BuildGameFile(field, g_game.header, g_game.pieces, &bytes);
        AppendGroupBlock(g_game.header, g_game.pieces, g_groups.groupOfCell, &bytes);
        ASSERT_EQ(kGameFileOk, ParseGameFile(bytes.data(), bytes.size(), &loaded));
        const std::vector<char> table = TableBytes();
        const std::vector<int32_t> groups(g_groups.groupOfCell,
                                          g_groups.groupOfCell + g_game.header.pieceCount);
        ResetGameState();
        g_game.header = loaded.header;
        std::memcpy(g_game.pieces, loaded.pieces, sizeof(PieceRecord) * loaded.header.pieceCount);
        std::memcpy(g_groups.groupOfCell, loaded.groupOfCell, sizeof g_groups.groupOfCell);
        ReseatGroups();
        const std::vector<char> reopened = TableBytes();
        size_t at = 0;
        while (at < table.size() && table[at] == reopened[at])
            ++at;
        ASSERT_EQ(table.size(), at) << "first difference at byte " << at << " (header "
                                    << sizeof(GameHeader) << ", records of "
                                    << sizeof(PieceRecord) << "), counts " << g_game.header.fixedCount << " "
                                    << g_game.header.selectedCount << " "
                                    << g_game.header.boardCount << ", loaded "
                                    << g_game.pieces[(at - sizeof(GameHeader)) / sizeof(PieceRecord)].posX
                                    << " " << g_game.pieces[(at - sizeof(GameHeader)) / sizeof(PieceRecord)].posY;
        ASSERT_EQ(groups, std::vector<int32_t>(g_groups.groupOfCell,
                                               g_groups.groupOfCell + g_game.header.pieceCount));
    }

private:
    std::mt19937 random_;
    PixelShift workspace_;
};

TEST(JoinedPlayTest, RandomPlayKeepsEveryGroupWholeAndJoinsWhatFits)
{
    const unsigned firstSeed = SeedFromEnvironment();
    std::printf("seed %u (QUILTRA_SEED=%u plays it again)\n", firstSeed, firstSeed);
    std::fflush(stdout);
    int joined = 0, fixedInGroups = 0, zoomTrips = 0, zoomTripsThatMoved = 0;
    for (int run = 0; run < 6; ++run) {
        const unsigned seed = firstSeed + run;
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 cut(seed);
        const int columns = 2 + (int)(cut() % 99), rows = 2 + (int)(cut() % 99);
        StartPuzzle(columns, rows, seed);
        SetJoining(true);
        JoinedPlay play(seed);
        for (int step = 0; step < 1500; ++step) {
            const int fixedBefore = g_game.header.fixedCount;
            const bool wizard = play.Step();
            ASSERT_TRUE(GroupsHold()) << columns << " x " << rows << ", step " << step;
            if (!wizard && g_game.header.fixedCount > fixedBefore + 1)
                ++fixedInGroups;
            for (int i = 0; i < g_game.header.pieceCount; ++i)
                joined += IsAlone(g_game.pieces[i]) ? 0 : 1;
        }
        zoomTrips += play.zoomTrips;
        zoomTripsThatMoved += play.zoomTripsThatMoved;
    }
    std::printf("%d piece-steps in groups, %d groups seated, %d of %d zoom round trips moved "
                "pieces\n",
                joined, fixedInGroups, zoomTripsThatMoved, zoomTrips);
    // The play must reach what it checks: pieces joined, and groups seated whole.
    EXPECT_GT(joined, 0);
    EXPECT_GT(fixedInGroups, 0);
}

}  // namespace
