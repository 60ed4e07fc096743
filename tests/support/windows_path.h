// A Unix path from CTest becomes the Z: drive path Wine maps it to; texts cross to UTF-16.
#pragma once
#include <string>

std::wstring WindowsPath(const std::wstring& path);
// UTF-8, as the tests' own narrow literals are, in UTF-16.
std::wstring Utf16(const std::string& utf8);
