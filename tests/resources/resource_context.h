#pragma once
#include <string>

// The built program, as a Windows path.
extern std::wstring g_quiltraExe;
