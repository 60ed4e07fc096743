#include "shell/zoom_steps.h"
#include "resources/resource_ids.h"

const ZoomStep ZoomSteps[kZoomStepCount] = {
    {1, IDM_ZOOM1},     {2, IDM_ZOOM2},     {3, IDM_ZOOM3},     {5, IDM_ZOOM5},
    {7, IDM_ZOOM7},     {10, IDM_ZOOM10},   {15, IDM_ZOOM15},   {20, IDM_ZOOM20},
    {30, IDM_ZOOM30},   {50, IDM_ZOOM50},   {75, IDM_ZOOM75},   {100, IDM_ZOOM100},
    {150, IDM_ZOOM150}, {200, IDM_ZOOM200}, {300, IDM_ZOOM300}, {500, IDM_ZOOM500},
};

int ZoomIndexForPercent(int percent)
{
    int index = 0;
    for (int i = 0; i < kZoomStepCount; ++i)
        if (ZoomSteps[i].percent <= percent)
            index = i;
    return index;
}

int ZoomIndexForCommand(int command)
{
    for (int i = 0; i < kZoomStepCount; ++i)
        if (ZoomSteps[i].command == command)
            return i;
    return -1;
}
