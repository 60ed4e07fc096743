#include "win/brushes.h"

SolidBrushes g_brushes;

void CreateSolidBrushes()
{
    g_brushes.white = CreateSolidBrush(RGB(255, 255, 255));
    g_brushes.black = CreateSolidBrush(RGB(0, 0, 0));
    g_brushes.grey = CreateSolidBrush(RGB(kGreyLevel, kGreyLevel, kGreyLevel));
}

void DeleteSolidBrushes()
{
    DeleteObject(g_brushes.white);
    DeleteObject(g_brushes.black);
    DeleteObject(g_brushes.grey);
    g_brushes = SolidBrushes{};
}
