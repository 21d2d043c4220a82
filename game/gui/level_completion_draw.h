#pragma once
// The level completion's overlay, stepped and then drawn once per frame after the level.

namespace level_completion {

// The finish animation's step while the finish runs, once a frame before drawOverlay; while
// "TimePrint" is on, the level time goes to the console.
void updateOverlay();
// Sets up the 2D projection scaled so that the overlay, and everything drawn after it until
// the next projection change, is laid out on an 800 x 600 screen whatever the window's
// size. While the finish runs, its animation fades in over the level.
void drawOverlay();
// Lets the finish animation's frames go at the end of a game run.
void releaseOverlay();

}  // namespace level_completion
