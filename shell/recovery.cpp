#include "shell/recovery.h"
#include "board/board_state.h"
#include "files/game_file.h"
#include "files/path_parts.h"
#include "files/recovery_file.h"
#include "shell/game_view.h"
#include "shell/shell_state.h"

// Soon enough that a crash loses little; a burst of moves still costs only one write.
static const UINT kRecoveryDelayMs = 5000;
// While a button is held the write waits, and follows the drop closely.
static const UINT kBusyRetryMs = 1000;

struct RecoveryState {
    bool timerArmed;
    // The copy on the disk is this game's: written by it, or brought back into it. A copy
    // whose restore failed for want of its picture is not, and waits for the next start.
    bool copyIsOurs;
};

static RecoveryState s_recovery;

static void ArmTimer(UINT delayMs)
{
    SetTimer(g_shell.mainWindow, kRecoveryTimer, delayMs, nullptr);
    s_recovery.timerArmed = true;
}

void ScheduleRecoveryCopy()
{
    if (!s_recovery.timerArmed && g_shell.mainWindow)
        ArmTimer(kRecoveryDelayMs);
}

void DiscardRecoveryCopy()
{
    if (s_recovery.timerArmed)
        KillTimer(g_shell.mainWindow, kRecoveryTimer);
    s_recovery.timerArmed = false;
    if (s_recovery.copyIsOurs)
        DeleteRecoveryCopy();
    s_recovery.copyIsOurs = false;
}

void RenewRecoveryCopy()
{
    DiscardRecoveryCopy();
    if (g_board.gameActive && g_shell.gameModified)
        ScheduleRecoveryCopy();
}

// Writing a 10000-piece game takes milliseconds: never while a button is held, where it
// would stall a drag, nor under a modal window, where a load or a cut may be half done.
void OnRecoveryTimer()
{
    KillTimer(g_shell.mainWindow, kRecoveryTimer);
    s_recovery.timerArmed = false;
    if (!g_board.gameActive || !g_shell.gameModified)
        return;
    if (IsButtonHeld() || !IsWindowEnabled(g_shell.mainWindow)) {
        ArmTimer(kBusyRetryMs);
        return;
    }
    if (WriteRecoveryCopy())
        s_recovery.copyIsOurs = true;
    else
        ArmTimer(kRecoveryDelayMs);
}

void OfferRecoveryCopy()
{
    wchar_t copy[kPathCapacity];
    if (!GetRecoveryCopyPath(copy) ||
        GetFileAttributesW(copy) == INVALID_FILE_ATTRIBUTES)
        return;
    if (MessageBoxW(g_shell.mainWindow, L"前回のゲームは保存されずに終了しました。復元しますか？",
                    L"Quiltra", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        DeleteRecoveryCopy();
        return;
    }
    wchar_t gamePath[kPathCapacity];
    ReadRecoveredGamePath(copy, gamePath);
    GameLoad load = LoadGameFile(g_shell.mainWindow, copy, gamePath);
    if (load == kGameRefused)
        DeleteRecoveryCopy();
    if (!GameWasLoaded(load)) {
        // The names the copy gave the game go with it.
        EndGame();
        return;
    }
    // Still unsaved; written again soon, with the picture it may have found. The copy is
    // claimed only now, as starting a game discards the copy it finds its own.
    StartGame(true);
    s_recovery.copyIsOurs = true;
}
