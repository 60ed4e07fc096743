// The zoom steps of the View menu, in percentage order.
#pragma once

struct ZoomStep {
    int percent;
    int command;
};

const int kZoomStepCount = 16;
extern const ZoomStep ZoomSteps[kZoomStepCount];

// The step at or below a percentage; 0 for anything below 1 %.
int ZoomIndexForPercent(int percent);
// The step of a zoom menu command, or -1.
int ZoomIndexForCommand(int command);
