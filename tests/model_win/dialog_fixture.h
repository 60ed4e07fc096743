// What the dialog tests share besides the modal driver.
#pragma once
#include <string>

// The path of a picture that the build drew beside the test program.
std::string PictureFixture(const char* name);
