#pragma once
// The checkpoint times' text, drawn over the level on the 800 x 600 screen.

namespace checkpoint_times {

// Advances the fades by the real time since the previous call and draws the text centred
// across the screen while one is shown. Called once per drawn frame.
void draw();
// The same, `realSeconds` after the previous call: the clock for the fades made explicit.
void drawAfter(float realSeconds);

}  // namespace checkpoint_times
