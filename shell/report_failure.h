// The one way errors reach the player.
#pragma once

// Shows the texts given (each after the first on a line of its own) in an error box and,
// with abandon, ends the game. Always false, so a caller can return it as its own failure.
bool ReportFailure(const char* text1, const char* text2, const char* text3, const char* text4,
                   bool abandon);
