#include "board/view_geometry.h"
#include <cmath>
#include <gtest/gtest.h>

TEST(ViewGeometry, FourHundredByThreeHundredAtFullSizeInTenByTen)
{
    ComputeViewGeometry(400, 300, 100, 10, 10);
    const ViewGeometry& g = g_geometry;
    EXPECT_EQ(400, g.scaledWidth);
    EXPECT_EQ(300, g.scaledHeight);
    EXPECT_EQ(560, g.boardWidth);
    EXPECT_EQ(420, g.boardHeight);
    EXPECT_EQ(80, g.goalLeft);
    EXPECT_EQ(60, g.goalTop);
    EXPECT_DOUBLE_EQ(40.0, g.cellWidth);
    EXPECT_DOUBLE_EQ(30.0, g.cellHeight);
    EXPECT_DOUBLE_EQ(10.8, g.tabMarginX);
    EXPECT_DOUBLE_EQ(8.6, g.tabMarginY);
    EXPECT_DOUBLE_EQ(61.0, g.tileWidth);
    EXPECT_DOUBLE_EQ(47.0, g.tileHeight);
    EXPECT_DOUBLE_EQ(499.0, g.rangeX);
    EXPECT_DOUBLE_EQ(373.0, g.rangeY);
}

TEST(ViewGeometry, SizesTruncateTowardZero)
{
    ComputeViewGeometry(333, 101, 7, 3, 2);
    const ViewGeometry& g = g_geometry;
    EXPECT_EQ(23, g.scaledWidth);  // 2331 / 100
    EXPECT_EQ(7, g.scaledHeight);  // 707 / 100
    EXPECT_EQ(32, g.boardWidth);   // 32.634
    EXPECT_EQ(9, g.boardHeight);   // 9.898
    EXPECT_EQ(g.tileWidth, std::floor(g.tileWidth));
    EXPECT_EQ(g.boardWidth - g.tileWidth, g.rangeX);
}

// Zooming in keeps the board point under the view's centre at the centre.
TEST(ViewGeometry, KeepingTheCentreKeepsTheCentrePointWithinAPixel)
{
    const int view = 800;
    for (int scroll : {0, 137, 900, 2500}) {
        for (int oldExtent : {560, 1120, 2800}) {
            int newExtent = oldExtent * 3 / 2;
            int next = KeepCentre(scroll, view, view, newExtent, oldExtent);
            double centreBefore = (scroll + view / 2) / (double)oldExtent;
            double centreAfter = (next + view / 2) / (double)newExtent;
            EXPECT_NEAR(centreBefore * newExtent, centreAfter * newExtent, 1.0)
                << scroll << " " << oldExtent;
        }
    }
}

TEST(ViewGeometry, KeepingTheCentreOfAnEmptyBoardDoesNotDivideByZero)
{
    EXPECT_EQ(40, KeepCentre(40, 800, 800, 100, 0));
}

TEST(ViewGeometry, KeepingTheCentreOfAHugeBoardDoesNotOverflow)
{
    EXPECT_EQ(69600, KeepCentre(34600, 800, 800, 70000, 35000));
}
