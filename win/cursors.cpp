#include "win/cursors.h"
#include "resources/resource_ids.h"

Cursors g_cursors;

void LoadCursors(HINSTANCE instance)
{
    g_cursors.arrow = LoadCursorA(nullptr, IDC_ARROW);
    g_cursors.drag = LoadCursorA(instance, MAKEINTRESOURCEA(IDR_DRAGCURSOR));
    g_cursors.cross = LoadCursorA(nullptr, IDC_CROSS);
}
