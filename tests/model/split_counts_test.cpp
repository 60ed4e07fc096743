#include "model/split_counts.h"

#include <gtest/gtest.h>

namespace {

struct Split {
    int columns;
    int rows;
};

Split Squared(int columns, int rows, int width, int height)
{
    Split split = {columns, rows};
    SquareSplitCounts(&split.columns, &split.rows, width, height);
    return split;
}

}  // namespace

TEST(SplitCountsTest, ALandscapePictureOpensAtTwelveByNine)
{
    Split split = Squared(10, 10, 640, 480);
    EXPECT_EQ(12, split.columns);
    EXPECT_EQ(9, split.rows);
    EXPECT_EQ(108, split.columns * split.rows);
}

TEST(SplitCountsTest, APortraitPictureOpensAtNineByTwelve)
{
    Split split = Squared(10, 10, 480, 640);
    EXPECT_EQ(9, split.columns);
    EXPECT_EQ(12, split.rows);
}

TEST(SplitCountsTest, SquaringKeepsThePieceCountNearTheCurrentProduct)
{
    // 20 x 9 = 180 pieces: sqrt(240) = 15.49 across, sqrt(135) = 11.62 down.
    Split split = Squared(20, 9, 640, 480);
    EXPECT_EQ(15, split.columns);
    EXPECT_EQ(12, split.rows);
}

TEST(SplitCountsTest, TwentyAcrossALandscapePictureGivesFifteenDown)
{
    int rows = MatchingSplitCount(20, 640, 480);
    EXPECT_EQ(15, rows);
    EXPECT_EQ(300, 20 * rows);
}

TEST(SplitCountsTest, TheMirrorDerivesColumnsFromRows)
{
    EXPECT_EQ(20, MatchingSplitCount(15, 480, 640));
}

TEST(SplitCountsTest, HalvesRoundUp)
{
    // 3 x 300 / 200 = 4.5.
    EXPECT_EQ(5, MatchingSplitCount(3, 200, 300));
    // 5 x 100 / 200 = 2.5.
    EXPECT_EQ(3, MatchingSplitCount(5, 200, 100));
}

TEST(SplitCountsTest, HundredAcrossATallPictureCapsAtHundredDown)
{
    EXPECT_EQ(100, MatchingSplitCount(100, 480, 640));
}

TEST(SplitCountsTest, AVeryWidePictureNeverDerivesFewerThanTwoDown)
{
    EXPECT_EQ(2, MatchingSplitCount(2, 10000, 100));
    EXPECT_EQ(2, MatchingSplitCount(100, 10000, 1));
    Split split = Squared(10, 10, 10000, 100);
    EXPECT_EQ(100, split.columns);
    EXPECT_EQ(2, split.rows);
}

TEST(SplitCountsTest, AVeryTallPictureNeverDerivesFewerThanTwoAcross)
{
    EXPECT_EQ(2, MatchingSplitCount(50, 100000, 1));
    Split split = Squared(10, 10, 1, 100000);
    EXPECT_EQ(2, split.columns);
    EXPECT_EQ(100, split.rows);
}

TEST(SplitCountsTest, SquaringAHundredByHundredOnAWidePictureStaysWithinTheLists)
{
    // Unclamped this would be 141 x 71.
    Split split = Squared(100, 100, 1280, 640);
    EXPECT_EQ(100, split.columns);
    EXPECT_EQ(71, split.rows);
}

TEST(SplitCountsTest, NoShapeOrChoiceLeavesTheListsOrTheTable)
{
    const int sides[] = {1, 2, 7, 100, 480, 640, 1000, 4096, 65535, 1000000};
    for (int width : sides) {
        for (int height : sides) {
            for (int count = 2; count <= 100; ++count) {
                int derived = MatchingSplitCount(count, width, height);
                EXPECT_GE(derived, 2) << width << "x" << height << " count " << count;
                EXPECT_LE(derived, 100) << width << "x" << height << " count " << count;
                Split split = Squared(count, 100, width, height);
                EXPECT_GE(split.columns, 2) << width << "x" << height << " count " << count;
                EXPECT_LE(split.columns, 100) << width << "x" << height << " count " << count;
                EXPECT_GE(split.rows, 2) << width << "x" << height << " count " << count;
                EXPECT_LE(split.rows, 100) << width << "x" << height << " count " << count;
                EXPECT_LE(split.columns * split.rows, 10000) << width << "x" << height;
            }
        }
    }
}
