#include "resources/resource_ids.h"
#include "shell/zoom_steps.h"
#include <gtest/gtest.h>

TEST(ZoomSteps, PercentMapsToTheStepAtOrBelowIt)
{
    EXPECT_EQ(50, ZoomSteps[ZoomIndexForPercent(60)].percent);
    EXPECT_EQ(500, ZoomSteps[ZoomIndexForPercent(1000)].percent);
    EXPECT_EQ(1, ZoomSteps[ZoomIndexForPercent(0)].percent);
    EXPECT_EQ(1, ZoomSteps[ZoomIndexForPercent(-5)].percent);
    for (int i = 0; i < kZoomStepCount; ++i)
        EXPECT_EQ(i, ZoomIndexForPercent(ZoomSteps[i].percent));
}

TEST(ZoomSteps, SevenAndTenPercentKeepTheirOutOfOrderCommands)
{
    EXPECT_EQ(7, ZoomSteps[ZoomIndexForCommand(IDM_ZOOM7)].percent);
    EXPECT_EQ(IDM_ZOOM7, 40053);
    EXPECT_EQ(10, ZoomSteps[ZoomIndexForCommand(40052)].percent);
    EXPECT_EQ(-1, ZoomIndexForCommand(IDM_ENLARGE));
}
