// Game files: loading and saving the game in progress.
#pragma once

// Writes the game; with askName, or when the game has no file yet, asks for a name first.
bool SaveGameFile(bool askName);
