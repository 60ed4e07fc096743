// A Unix path from CTest becomes the Z: drive path Wine maps it to.
#pragma once
#include <string>

std::string WindowsPath(const char* path);
