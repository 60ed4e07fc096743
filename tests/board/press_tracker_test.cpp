#include "board/press_tracker.h"
#include <gtest/gtest.h>

static const int kAllStates[] = {kPressIdle, kPressLeftPending, kPressLeftDragging,
                                 kPressRightPending, kPressRightDragging};

TEST(PressTracker, APressStartsOnlyFromIdle)
{
    for (int before : kAllStates) {
        for (PressSide button : {kPressLeft, kPressRight}) {
            int state = before;
            const bool started = StartPress(state, button);
            EXPECT_EQ(before == kPressIdle, started) << before;
            const int pending = button == kPressLeft ? kPressLeftPending : kPressRightPending;
            EXPECT_EQ(started ? pending : before, state) << before;
        }
    }
}

// Windows sends move messages where the pointer has not moved; one at the press point must
// not turn a click into a drag, a move of one pixel must.
TEST(PressTracker, OnlyARealMovementEndsAPendingPress)
{
    for (int state : {kPressLeftPending, kPressRightPending}) {
        EXPECT_FALSE(MoveAdvancesPress(state, 10, 20, 10, 20));
        EXPECT_TRUE(MoveAdvancesPress(state, 11, 20, 10, 20));
        EXPECT_TRUE(MoveAdvancesPress(state, 10, 19, 10, 20));
    }
    // A drag takes every move message; without a press there is nothing to move.
    EXPECT_TRUE(MoveAdvancesPress(kPressLeftDragging, 10, 20, 10, 20));
    EXPECT_TRUE(MoveAdvancesPress(kPressRightDragging, 10, 20, 10, 20));
    EXPECT_FALSE(MoveAdvancesPress(kPressIdle, 11, 20, 10, 20));
}

// A click and a drag of each button; the other button's release never ends either.
TEST(PressTracker, AReleaseEndsOnlyThePressOfItsOwnButton)
{
    for (PressSide button : {kPressLeft, kPressRight}) {
        const PressSide other = button == kPressLeft ? kPressRight : kPressLeft;
        int state = kPressIdle;
        StartPress(state, button);
        const int pending = state;
        EXPECT_EQ(kReleaseIgnored, ReleasePress(state, other));
        EXPECT_EQ(pending, state);
        EXPECT_EQ(kReleaseClick, ReleasePress(state, button));
        EXPECT_EQ(kPressIdle, state);

        StartPress(state, button);
        EXPECT_TRUE(BeginPressDrag(state));
        const int dragging = state;
        EXPECT_TRUE(IsPressDragging(dragging));
        EXPECT_FALSE(BeginPressDrag(state)) << "a drag begins once";
        EXPECT_EQ(kReleaseIgnored, ReleasePress(state, other));
        // The drag stays for the caller, which applies the last movement before ending it.
        EXPECT_EQ(kReleaseDragEnd, ReleasePress(state, button));
        EXPECT_EQ(dragging, state);

        state = kPressIdle;
        EXPECT_EQ(kReleaseIgnored, ReleasePress(state, button));
        EXPECT_FALSE(BeginPressDrag(state));
    }
}
