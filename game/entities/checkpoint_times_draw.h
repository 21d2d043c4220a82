#pragma once
// The checkpoint times' text, drawn over the level on the 800 x 600 screen.

namespace checkpoint_times {

// Draws the text updateDisplay chose, centred across the screen, while one is shown.
void draw();

}  // namespace checkpoint_times
