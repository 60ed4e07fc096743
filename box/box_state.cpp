#include "box/box_state.h"
#include <string.h>

BoxState g_box;

void ClearBoxState()
{
    const int place = g_box.boxPosition;
    const BYTE goalPictureShown = g_box.goalPictureShown;
    const int edgesOnly = g_box.edgesOnly;
    memset(&g_box, 0, sizeof g_box);
    g_box.boxPosition = place;
    g_box.goalPictureShown = goalPictureShown;
    g_box.edgesOnly = edgesOnly;
}
