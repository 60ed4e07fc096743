// The settings kept between runs under HKCU\SOFTWARE\Varnholt\Quiltra.
#pragma once
#include <windows.h>

void LoadSettings(HINSTANCE instance);
void SaveSettings();
