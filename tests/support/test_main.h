// The main that every in-process test program under Wine shares. A program's own set-up
// is a gtest environment beside its fixture; the paths it is given on its command line
// reach its tests through TestPath.
#pragma once
#include <string>

// The path given at this place after the gtest options, as Wine maps it (Z:\...), read from
// the wide command line so that no code page changes it. A program that was not given it
// stops with a message naming what is missing.
const std::wstring& TestPath(int index, const char* what);
