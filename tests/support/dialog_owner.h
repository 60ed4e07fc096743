// What the dialog tests share besides the modal driver: the shell's state and an owner
// window for the dialogs, made once for the program (the real main window with its children
// is more than they use), and the pictures the build drew for them.
#pragma once
#include <string>

// The path of a picture in the folder the program was given as its first argument.
std::wstring PictureFixture(const wchar_t* name);
