// What the model asks of the shell. The program's shell implements these; the native
// tests link a recording stand-in instead.
#pragma once

void SetModified(bool modified);
void UpdateTitle();
// What the music device plays; the numbers are those of ShellState::musicMode.
enum MusicMode { kMusicSilence = 0, kMusicBackground = 1, kMusicFanfare = 2 };

void PlayMusic(int mode);      // a MusicMode
void SoundFixedBeep();         // the system's default sound when a piece is fixed
void InvalidateBoardWindow();  // the whole board is to be drawn anew
void ShowCompletionMessage();  // modal; returns when the player closes it
void GetBoardScroll(int* scrollX, int* scrollY);
