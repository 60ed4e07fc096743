// The model's side of the New command.
#pragma once

// Starts a fresh game on the open picture: the player chooses the counts in the settings
// dialog and the picture is cut. A cancelled dialog abandons the game silently; false then.
bool NewPuzzle();
