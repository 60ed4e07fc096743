// What the model asks of the shell. The program's shell implements these; the native
// tests link a recording stand-in instead.
#pragma once

void SetModified(bool modified);
void UpdateTitle();
void PlayMusic(int mode);              // 0 silence, 1 background loop, 2 fanfare
void SoundFixedBeep();                 // the system's default sound when a piece is fixed
void InvalidateBoardWindow();          // the whole board is to be drawn anew
void ShowCompletionMessage();          // modal; returns when the player closes it
void GetBoardScroll(int* scrollX, int* scrollY);
