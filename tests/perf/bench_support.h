// Clock, medians, the photo and the main window shared by the benchmarks.
#pragma once
#include <functional>

// Milliseconds from the performance counter.
double Now();
// Median of several runs of the whole block; each run repeats the work `repeat` times.
double Median(int runs, int repeat, const std::function<void()>& work);
// Median of several runs of a timed step, each prepared by an untimed one.
double MedianAfter(int runs, const std::function<void()>& prepare,
                   const std::function<void()>& step);
void DispatchPendingMessages();

#include <string>
// The last argument, a path of the Linux side, as Wine's Z: drive sees it: from the wide
// command line, which no code page changes.
std::wstring LastArgumentPath();
// The program's main window, maximised, as start-up makes it, with sound, joining and the
// box's edge filter off.
void OpenBenchWindow();
// Decodes a JPEG into the view's picture.
bool LoadPhoto(const wchar_t* path);
