// Drives Quiltra.exe from another process the way a player does: starts it, finds its
// windows, posts commands and mouse input, answers message boxes and takes screenshots.
// Paths and the program's texts are UTF-16 throughout: a name the system's code page cannot
// spell reaches the program, and comes back from it, whole.
#pragma once
#include "tests/support/modal_driver.h"
#include "tests/support/windows_path.h"
#include <windows.h>
#include <string>
#include <vector>

struct Player {
    PROCESS_INFORMATION process = {};
    HWND mainWindow = nullptr;
};

// Starts the program in a working folder and waits for its main window. Every test
// shares one user profile: a recovery copy that an earlier program left would make the
// start ask about it, so the copies are removed first unless the test wants them.
enum RecoveryAtStart { kRemoveRecoveryCopies, kKeepRecoveryCopies };
// The arguments follow the program's quoted name on its wide command line.
bool StartQuiltra(Player* player, const std::wstring& exe, const std::wstring& folder,
                  RecoveryAtStart recovery = kRemoveRecoveryCopies,
                  const std::wstring& arguments = L"");
// Starts the program while a copy runs and waits until the second one has left; false if it
// did not within seconds.
bool RunSecondCopy(const std::wstring& exe, const std::wstring& arguments, DWORD* exitCode);
// A path as one argument of a command line.
std::wstring Quoted(const std::wstring& path);
// Where the program keeps the recovery copy of an unsaved game.
std::wstring RecoveryCopyPath();
// Waits for the process to end; false on timeout.
bool WaitForExit(Player* player, DWORD timeoutMs, DWORD* exitCode);
void EndQuiltra(Player* player);

HWND WaitForWindow(const wchar_t* className, DWORD processId, DWORD timeoutMs);
HWND FindChild(HWND parent, const wchar_t* className);
// A child that the program makes after what the driver waited for: a new game's title comes
// before its box, for one.
HWND WaitForChild(HWND parent, const wchar_t* className, DWORD timeoutMs);
std::wstring WindowTitle(HWND window);
// Another process's control texts come by WM_GETTEXT, which the system carries across.
std::wstring SentText(HWND window);

// The topmost dialog ("#32770") of the process, message boxes included; null if none.
HWND FindDialog(DWORD processId);
HWND WaitForDialog(DWORD processId, DWORD timeoutMs);
std::wstring MessageBoxText(HWND dialog);
// Presses the button until the dialog has closed; false if it is still open at the end.
bool AnswerDialog(HWND dialog, int id, DWORD timeoutMs);
// The texts of a dialog's controls, in their order: labels, buttons, a list's choice.
std::vector<std::wstring> ControlTexts(HWND dialog);

// Types a path into an open or save dialog and presses its OK button.
bool ChooseFile(HWND dialog, const std::wstring& path);
// Chooses the pieces across in the settings dialog ("設定"); square mode derives the rest.
void ChoosePiecesAcross(HWND settings, int across);
// Waits for a dialog of the process with this title; null on timeout.
HWND WaitForDialogTitled(DWORD processId, const std::wstring& title, DWORD timeoutMs);
// Waits until the window's title becomes the given text; returns the last title seen.
std::wstring WaitForTitle(HWND window, const std::wstring& title, DWORD timeoutMs);

void PostCommand(HWND window, int command);

// The status bar's text, read from the program's memory: the bar's text message carries a
// pointer, which no system copies from one process to another.
std::wstring StatusText(HWND statusBar);
// Has the program show the help of a toolbar button in its status bar, as the button's
// tooltip does on Windows when the pointer rests on it. Wine's toolbar does not pass the
// tooltip's showing on to the program, and no process may send another the notification
// itself, so a hook of ours delivers it inside the program. False when the hook could not
// be set.
bool ShowToolbarHelp(const Player& player, int command);

// The real mouse, through SendInput, in screen coordinates.
void MoveMouse(POINT screen);
void Click(POINT screen);
// Presses a button at from, moves in steps to to, and releases it there.
void DragMouse(POINT from, POINT to, bool rightButton, int steps);
POINT ScreenPoint(HWND window, int clientX, int clientY);

// What the program promises to lay out at 96 DPI, scaled to the window's: the board starts
// this far down, below the toolbar's band, and the status bar is held this high unless a
// bar with its font is higher.
const int kToolbarBandAt96 = 30;
const int kStatusBandAt96 = 20;
// A status bar as a program started now makes it: the DPI the system gives that program, and
// how high a bar is that has the status font of that DPI and no least height (a least height
// can raise a bar, never lower it). A fresh driving program makes it: the system gives a
// program its DPI when it starts, and a bar's height follows that DPI's metrics besides its
// font's. False if that program did not answer.
struct NewStatusBar {
    UINT dpi;
    int heightWithItsFont;
};
bool MeasureNewStatusBar(NewStatusBar* bar);
// The answer of the program that makes one: its DPI in the high word, the height in the low.
DWORD OwnStatusBarAnswer();
// The height the program holds its status bar at, at the DPI of that bar.
int HeldStatusBarHeight(const NewStatusBar& bar);

// Shows the main window not maximised, over the screen's work area, and waits until it is
// laid out there; false if it did not get there. Wine 10's virtual desktop draws a maximised
// window 4 pixels right of and below the place it reports, so the screen there does not
// show that window's pixels; a window that is not maximised is drawn where it is said to be.
bool ShowNotMaximised(HWND mainWindow);

// The window's pixels as they are on the screen (the window must be on top).
HBITMAP CaptureWindow(HWND window);
COLORREF PixelAt(HBITMAP bitmap, int x, int y);
bool SaveBitmap(HBITMAP bitmap, const std::wstring& path);
// The whole screen, frames and menus included, as a PNG. Under Wine the screen's DC holds
// only client areas, so the picture is taken from the X server instead.
bool SaveScreenshot(const std::wstring& pngPath);

// A file's bytes; empty when it cannot be read.
std::vector<char> FileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// HKCU\SOFTWARE\Varnholt\Quiltra
void DeleteSettingsKey();
bool ReadSettingString(const wchar_t* name, std::wstring* value);
bool ReadSettingNumber(const wchar_t* name, DWORD* value);
void WriteSettingNumber(const wchar_t* name, DWORD value);

void Pause(DWORD ms);
