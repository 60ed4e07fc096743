// Game files: loading and saving the game in progress.
#pragma once
#include <windows.h>
#include <vector>

enum GameLoad {
    kGameNotChosen,       // the file dialog was cancelled: nothing has changed
    kGameRefused,         // the file cannot be read or holds no game: reported
    kGameWithoutPicture,  // the game's picture was refused (reported) or not chosen
    kGameLoaded,
    kGameLoadedWithNewPicture,  // its picture had moved and was found again: the game is untitled
};

inline bool GameWasLoaded(GameLoad load)
{
    return load == kGameLoaded || load == kGameLoadedWithNewPicture;
}

// Asks for a game file and loads it with its picture. Every failure after the dialog is
// shown to the player; the game on the board is left to the caller to end. Dialogs and
// messages belong to owner.
GameLoad OpenGameFile(HWND owner);
// Loads the game file at path, the game taking gameFile as its own file (none when empty).
// The board keeps the old game's pieces and picture until the load succeeds; the file names
// are the new file's from the start, so the caller ends the old game on any failure.
GameLoad LoadGameFile(HWND owner, const wchar_t* path, const wchar_t* gameFile);

// A game file by its extension (".qlt") or by its signature, whether or not it loads.
bool IsGameFile(const wchar_t* path);

// Writes the game; with askName, or when the game has no file yet, asks for a name first.
// A failure is shown and the game goes on.
bool SaveGameFile(HWND owner, bool askName);
// Puts the current game's file bytes at path through a temporary file, so that a failed
// write leaves the file before intact; the failure's message, or null once written.
const wchar_t* WriteGameFile(const wchar_t* path, const std::vector<unsigned char>& bytes);
// Reads at most capacity bytes from the start of the file at path into buffer; false when
// it cannot be opened.
bool ReadFileStart(const wchar_t* path, unsigned char* buffer, size_t capacity, size_t* size);
