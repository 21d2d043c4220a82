#pragma once
// The speed displays: switched on from the console, each prints its figure whenever a block
// of samples closes. "ShowGameSpeeds" prints the frame rate as each frame time is measured,
// "ShowSimSpeeds" the mean wall time of the world's step (in nanoseconds) and "ShowDrawSpeeds"
// that of drawing a frame (in performance counter tics), each over blocks of 32.

#include <cstdint>

#include "game/simulation/simulation.h"

namespace speed_display {

// Registers and removes "ShowGameSpeeds", "ShowDrawSpeeds" and "ShowSimSpeeds".
void registerConsoleEntries();
void removeConsoleEntries();

// All three off, as each level starts; the blocks go on counting.
void hideAll();
bool showsSimulationSpeeds();

// Told each new frame time, as a block of frames closes.
void frameTimed(float frameTime);
// The step's cost joins its block when the world stepped.
void countSimulationCost(const simulation::TickReport& report);
// The moment a frame's drawing starts, for countDrawingCost.
uint32_t drawingStart();
void countDrawingCost(uint32_t start);

// Displays off and blocks empty, as the process began (for tests, which run many games in
// one process).
void reset();

}  // namespace speed_display
