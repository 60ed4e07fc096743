// Game files: loading and saving the game in progress.
#pragma once

// Asks for a game file and loads it with its picture; false when cancelled or refused.
bool OpenGameFile();

// Writes the game; with askName, or when the game has no file yet, asks for a name first.
bool SaveGameFile(bool askName);
