#include "box/box_state.h"
#include <string.h>

BoxState g_box;

void ClearBoxState()
{
    memset(&g_box, 0, sizeof g_box);
}
