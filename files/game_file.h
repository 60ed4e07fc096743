// Game files: loading and saving the game in progress.
#pragma once
#include <vector>

enum GameLoad {
    kGameNotChosen,       // the file dialog was cancelled: nothing has changed
    kGameRefused,         // the file cannot be read or holds no game
    kGameWithoutPicture,  // the game's picture could not be opened
    kGameLoaded,
    kGameLoadedWithNewPicture,  // its picture had moved and was found again: the game is untitled
};

inline bool GameWasLoaded(GameLoad load)
{
    return load == kGameLoaded || load == kGameLoadedWithNewPicture;
}

// Asks for a game file and loads it with its picture. Every failure after the dialog is
// reported and abandons the game.
GameLoad OpenGameFile();
// Loads the game file at path, the game taking gameFile as its own file (none when empty).
GameLoad LoadGameFile(const char* path, const char* gameFile);

// Writes the game; with askName, or when the game has no file yet, asks for a name first.
bool SaveGameFile(bool askName);
// Puts the current game's file bytes at path through a temporary file, so that a failed
// write leaves the file before intact; the failure's message, or null once written.
const char* WriteGameFile(const char* path, const std::vector<unsigned char>& bytes);
