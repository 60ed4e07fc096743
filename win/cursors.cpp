#include "win/cursors.h"
#include "resources/resource_ids.h"

Cursors g_cursors;

void LoadCursors(HINSTANCE instance)
{
    g_cursors.arrow = LoadCursorW(nullptr, IDC_ARROW);
    g_cursors.drag = LoadCursorW(instance, MAKEINTRESOURCEW(IDR_DRAGCURSOR));
    g_cursors.cross = LoadCursorW(nullptr, IDC_CROSS);
}
