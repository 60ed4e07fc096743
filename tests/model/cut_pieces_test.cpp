#include "model/cut_pieces.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "tests/model/forced_draws.h"
#include "model/game_state.h"
#include "model/random.h"

namespace {

void Cut(int columns, int rows, uint32_t seed)
{
    ResetGameState();
    g_game.header.columns = columns;
    g_game.header.rows = rows;
    SeedRandom(seed);
    CutPieces();
}

int DrawsBeforeShuffle(int columns, int rows)
{
    return 2 * columns * (rows - 1) + 2 * (columns - 1) * rows;
}

// The cut pieces by home, column-major; fails on a home that is out of range,
// repeated or missing.
std::vector<const PieceRecord*> PiecesByHome()
{
    const int columns = g_game.header.columns, rows = g_game.header.rows;
    std::vector<const PieceRecord*> byHome(columns * rows, nullptr);
    for (int i = 0; i < g_game.header.pieceCount; ++i) {
        const PieceRecord& piece = g_game.pieces[i];
        const bool inRange =
            piece.column >= 0 && piece.column < columns && piece.row >= 0 && piece.row < rows;
        EXPECT_TRUE(inRange) << "entry " << i;
        if (!inRange)
            continue;
        const PieceRecord*& slot = byHome[piece.column * rows + piece.row];
        EXPECT_EQ(nullptr, slot) << "home " << piece.column << "," << piece.row << " repeated";
        slot = &piece;
    }
    EXPECT_EQ(byHome.end(), std::find(byHome.begin(), byHome.end(), nullptr))
        << "a home is missing";
    return byHome;
}

struct Span {
    double start, end;
};

Span Across(const TabRecord& tab, bool betweenRows)
{
    return betweenRows ? Span{tab.top, tab.bottom} : Span{tab.left, tab.right};
}

Span Along(const TabRecord& tab, bool betweenRows)
{
    return betweenRows ? Span{tab.left, tab.right} : Span{tab.top, tab.bottom};
}

// farSide: bottom of the upper piece or right of the left piece.
void ExpectOneEllipseSeenFromBothSides(const TabRecord& farSide, const TabRecord& nearSide,
                                       bool betweenRows)
{
    const Span farAcross = Across(farSide, betweenRows), nearAcross = Across(nearSide, betweenRows);
    if (farSide.kind == kTabKnob) {
        EXPECT_EQ(kTabSocket, nearSide.kind);
        EXPECT_EQ(0.9, farAcross.start);
        EXPECT_EQ(1.22, farAcross.end);
        EXPECT_EQ(-0.1, nearAcross.start);
        EXPECT_EQ(0.22, nearAcross.end);
    } else {
        EXPECT_EQ(kTabSocket, farSide.kind);
        EXPECT_EQ(kTabKnob, nearSide.kind);
        EXPECT_EQ(0.78, farAcross.start);
        EXPECT_EQ(1.1, farAcross.end);
        EXPECT_EQ(-0.22, nearAcross.start);
        EXPECT_EQ(0.1, nearAcross.end);
    }
    const Span farAlong = Along(farSide, betweenRows), nearAlong = Along(nearSide, betweenRows);
    EXPECT_EQ(farAlong.start, nearAlong.start);
    EXPECT_EQ(farAlong.end, nearAlong.end);
    EXPECT_TRUE(farAlong.start >= 0.24 && farAlong.start <= 0.44) << farAlong.start;
    EXPECT_NEAR(0.32, farAlong.end - farAlong.start, 1e-12);
}

// The far side of the single cut in a 1 x 2 (between rows) or 2 x 1 cut.
const TabRecord& FirstPieceFarSide(bool betweenRows)
{
    const PieceRecord& first = *PiecesByHome()[0];
    return first.tabs[betweenRows ? kSideBottom : kSideRight];
}

// Written independently of the product, straight from the cutting rules.
std::vector<PieceRecord> ReferenceCut(int columns, int rows, uint32_t seed)
{
    SeedRandom(seed);
    const int count = columns * rows;
    std::vector<PieceRecord> table(count, PieceRecord());
    for (int i = 0; i < count; ++i) {
        table[i].column = i / rows;
        table[i].row = i % rows;
    }
    for (int i = 0; i < count; ++i) {
        if (i % rows == rows - 1)
            continue;
        TabRecord& bottom = table[i].tabs[kSideBottom];
        TabRecord& top = table[i + 1].tabs[kSideTop];
        const bool upperKnob = NextRandom() <= 16382;
        bottom = {upperKnob ? 1 : 2, 0, 0, upperKnob ? 0.9 : 0.78, upperKnob ? 1.22 : 1.1};
        top = {upperKnob ? 2 : 1, 0, 0, upperKnob ? -0.1 : -0.22, upperKnob ? 0.22 : 0.1};
        bottom.left = top.left = NextRandom() * 0.2 / 32767 + 0.24;
        bottom.right = top.right = bottom.left + 0.32;
    }
    for (int i = 0; i + rows < count; ++i) {
        TabRecord& right = table[i].tabs[kSideRight];
        TabRecord& left = table[i + rows].tabs[kSideLeft];
        const bool leftKnob = NextRandom() <= 16382;
        right = {leftKnob ? 1 : 2, leftKnob ? 0.9 : 0.78, leftKnob ? 1.22 : 1.1, 0, 0};
        left = {leftKnob ? 2 : 1, leftKnob ? -0.1 : -0.22, leftKnob ? 0.22 : 0.1, 0, 0};
        right.top = left.top = NextRandom() * 0.2 / 32767 + 0.24;
        right.bottom = left.bottom = right.top + 0.32;
    }
    for (int j = 0; j < count; ++j) {
        std::swap(table[j], table[std::min(NextRandom() * count / 32766, count - 1)]);
    }
    return table;
}

}  // namespace

TEST(RandomTest, SeedOneGivesTheClassicCRuntimeSequence)
{
    SeedRandom(1);
    for (int expected : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(expected, NextRandom());
}

TEST(RandomTest, SeedForDrawForcesTheChosenDraw)
{
    for (int wanted : {0, 16383, 32767}) {
        SeedRandom(SeedForDraw(wanted, 5));
        for (int i = 0; i < 5; ++i)
            NextRandom();
        EXPECT_EQ(wanted, NextRandom());
    }
}

TEST(CutPiecesTest, DrawsTwicePerInnerSideThenOncePerPiece)
{
    const struct {
        int columns, rows, draws;
    } cases[] = {{2, 2, 12}, {1, 7, 19}, {7, 1, 19}, {3, 4, 46}};
    for (const auto& c : cases) {
        Cut(c.columns, c.rows, 99);
        const uint32_t stateAfterCut = g_randomState;
        SeedRandom(99);
        for (int i = 0; i < c.draws; ++i)
            NextRandom();
        EXPECT_EQ(g_randomState, stateAfterCut) << c.columns << " x " << c.rows;
    }
}

// In the 2 x 2 cut every piece is a corner, so this also demands two flat sides each.
TEST(CutPiecesTest, EveryHomeOccursOnceAllInTheBoxAndOnlyBorderSidesAreFlat)
{
    const struct {
        int columns, rows;
    } sizes[] = {{100, 100}, {1, 7}, {7, 1}, {2, 2}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.columns << " x " << size.rows);
        Cut(size.columns, size.rows, 2024);
        EXPECT_EQ(size.columns * size.rows, g_game.header.pieceCount);
        EXPECT_EQ(0, g_game.header.boardCount);
        EXPECT_EQ(0, g_game.header.fixedCount);
        for (const PieceRecord* piece : PiecesByHome()) {
            if (piece == nullptr)
                continue;
            EXPECT_EQ(0.0, piece->posX);
            EXPECT_EQ(0.0, piece->posY);
            EXPECT_EQ(piece->row == size.rows - 1, piece->tabs[kSideBottom].kind == kTabFlat);
            EXPECT_EQ(piece->row == 0, piece->tabs[kSideTop].kind == kTabFlat);
            EXPECT_EQ(piece->column == size.columns - 1, piece->tabs[kSideRight].kind == kTabFlat);
            EXPECT_EQ(piece->column == 0, piece->tabs[kSideLeft].kind == kTabFlat);
        }
    }
}

TEST(CutPiecesTest, NeighboursDescribeOneEllipseWithOppositeKinds)
{
    for (uint32_t seed : {1u, 2u, 3u}) {
        Cut(12, 9, seed);
        const std::vector<const PieceRecord*> byHome = PiecesByHome();
        ASSERT_FALSE(HasFailure());
        for (int column = 0; column < 12; ++column) {
            for (int row = 0; row < 9; ++row) {
                const PieceRecord& piece = *byHome[column * 9 + row];
                if (row < 8) {
                    const PieceRecord& below = *byHome[column * 9 + row + 1];
                    ExpectOneEllipseSeenFromBothSides(piece.tabs[kSideBottom], below.tabs[kSideTop],
                                                      true);
                }
                if (column < 11) {
                    const PieceRecord& right = *byHome[(column + 1) * 9 + row];
                    ExpectOneEllipseSeenFromBothSides(piece.tabs[kSideRight], right.tabs[kSideLeft],
                                                      false);
                }
            }
        }
    }
}

TEST(CutPiecesTest, FirstDrawOfACutGivesTheKnobToTheUpperOrLeftPieceBelowHalf)
{
    for (bool betweenRows : {true, false}) {
        Cut(betweenRows ? 1 : 2, betweenRows ? 2 : 1, SeedForDraw(16382, 0));
        EXPECT_EQ(kTabKnob, FirstPieceFarSide(betweenRows).kind);
        Cut(betweenRows ? 1 : 2, betweenRows ? 2 : 1, SeedForDraw(16383, 0));
        EXPECT_EQ(kTabSocket, FirstPieceFarSide(betweenRows).kind);
    }
}

TEST(CutPiecesTest, SecondDrawOfACutPlacesTheTabAlongItsSide)
{
    const struct {
        int draw;
        double start, end;
    } cases[] = {{0, 0.24, 0.56}, {32767, 0.44, 0.76}};
    for (bool betweenRows : {true, false}) {
        for (const auto& c : cases) {
            Cut(betweenRows ? 1 : 2, betweenRows ? 2 : 1, SeedForDraw(c.draw, 1));
            const Span along = Along(FirstPieceFarSide(betweenRows), betweenRows);
            EXPECT_DOUBLE_EQ(c.start, along.start);
            EXPECT_DOUBLE_EQ(c.end, along.end);
        }
    }
}

TEST(CutPiecesTest, SameSeedGivesTheSameTable)
{
    Cut(30, 20, 4711);
    const std::vector<PieceRecord> first(g_game.pieces, g_game.pieces + 600);
    Cut(30, 20, 4711);
    EXPECT_EQ(0, std::memcmp(first.data(), g_game.pieces, sizeof(PieceRecord) * 600));
}

TEST(CutPiecesTest, ShuffleStaysInsideTheTableOnTheHighestDraws)
{
    const struct {
        int columns, rows;
    } sizes[] = {{1, 1}, {3, 2}};
    for (const auto& size : sizes) {
        const int count = size.columns * size.rows;
        for (int j = 0; j < count; ++j) {
            for (int draw : {32766, 32767}) {
                SCOPED_TRACE(testing::Message() << size.columns << " x " << size.rows
                                                << ", shuffle step " << j << " draws " << draw);
                PieceRecord untouched;
                std::memset(&untouched, 0x5A, sizeof(untouched));
                ResetGameState();
                g_game.header.columns = size.columns;
                g_game.header.rows = size.rows;
                g_game.pieces[count] = untouched;
                SeedRandom(SeedForDraw(draw, DrawsBeforeShuffle(size.columns, size.rows) + j));
                CutPieces();
                EXPECT_EQ(0, std::memcmp(&untouched, &g_game.pieces[count], sizeof(untouched)));
                PiecesByHome();  // fails on a lost or doubled piece
            }
        }
    }
}

TEST(CutPiecesTest, MatchesAStraightforwardCutForRandomSeedsAndSizes)
{
    std::mt19937 pick(12345);
    for (int round = 0; round < 200; ++round) {
        const uint32_t seed = pick();
        const int columns = 1 + pick() % 15, rows = 1 + pick() % 15;
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", " << columns << " x " << rows);
        Cut(columns, rows, seed);
        const std::vector<PieceRecord> expected = ReferenceCut(columns, rows, seed);
        EXPECT_EQ(
            0, std::memcmp(expected.data(), g_game.pieces, sizeof(PieceRecord) * expected.size()));
    }
}
