// A whole 5 x 4 game, two pieces joined on the way, played through the real window with the
// real mouse, with screenshots.
#pragma once
#include <string>

// Returns 0 when the game was finished and the completion message came.
int PlayDemoGame(const std::wstring& exe, const std::wstring& picture,
                 const std::wstring& outFolder);
