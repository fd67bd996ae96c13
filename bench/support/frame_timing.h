// What the timing programs of every platform measure alike: how far frame waits overshoot the
// time asked for, the cadence of delayrate, and a frame of the main menu.
#pragma once

#include <chrono>
#include <functional>
#include <vector>

#include "platform/backend.h"

using TimingClock = std::chrono::steady_clock;

double msSince(TimingClock::time_point start);
double percentile(std::vector<double> values, double share);

// Times `calls` waits of `ms` and prints how far each overshot the time asked for.
void reportWaits(const char* name, int ms, int calls, const std::function<void(int)>& wait);
// Prints the mean period of delayrate(60) over 600 frames.
void measureCadence();
// Times 300 presentations of a wholly redrawn 480 x 640 page to a window of the backend's own.
void measurePresentation(platform::Backend& backend, const char* how);
// The main menu's frame: seven bars and three labels, a 5 ms wait, then the column erased.
void menuFrame(int selection);
