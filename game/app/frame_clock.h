#pragma once
// The window's frame pacer (game/simulation/frame_pacer.h, which the headless simulator's
// frame-clock mode runs too): the frame time and the time gathered toward the next tick.

namespace frame_clock {

// Frames are timed from now; the time gathered stays.
void restart();
// A level's first frame ticks: a tick's worth counts as gathered, and frames are timed from
// now.
void startLevel();
// Times the frame just begun; true when it closed a block of 16 and the frame time changed.
bool measureFrame();
// Mean seconds per frame over the last block of 16 frames; 0 until the first block closes.
float frameTime();

// Adds the frame time to the time gathered; true when a tick is due.
bool gather();
// The time gathered toward the next tick.
float gathered();
// Hands the time gathered, held to the longest tick, to the tick that uses it up.
float takeGathered();

// The clock, the frame time and the time gathered as the process began (for tests, which
// run many games in one process).
void reset();

}  // namespace frame_clock
