// The solid brushes shared by the painting code, made once for the program's life.
#pragma once
#include <windows.h>

// The level of g_brushes.grey in each of red, green and blue.
const int kGreyLevel = 127;

struct SolidBrushes {
    HBRUSH white;
    HBRUSH black;
    HBRUSH grey;
};

extern SolidBrushes g_brushes;

void CreateSolidBrushes();
void DeleteSolidBrushes();
