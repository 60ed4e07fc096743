// Keeps a copy of an unsaved game on the disk, so that a crash, a killed process or a
// power cut loses no more than the last few seconds of play, and offers it at the next start.
#pragma once
#include <windows.h>

// The main window's own timer; the board's and the box's press timers live on their windows.
const UINT_PTR kRecoveryTimer = 1;

// A change waits a few seconds to be written, so that a burst of changes costs one write.
void ScheduleRecoveryCopy();
// The game has nothing unsaved any more, or is gone: so is its copy.
void DiscardRecoveryCopy();
// The game on the board was replaced: the old game's copy goes, an unsaved new one gets its own.
void RenewRecoveryCopy();
void OnRecoveryTimer();
// At start-up, with the main window shown: asks whether to bring back a copy left behind.
void OfferRecoveryCopy();
