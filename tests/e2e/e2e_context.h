// What the end-to-end tests are given on their command line.
#pragma once
#include <string>

extern std::wstring g_quiltraExe;  // Windows path of Quiltra.exe
extern std::wstring g_workFolder;  // a folder to start it in
extern std::wstring g_fixtures;    // pictures made for the tests
