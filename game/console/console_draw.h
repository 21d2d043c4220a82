#pragma once
// The console overlay: the output area with the newest lines over the top of the window,
// the input line with its cursor below it, in the colours of console.cfg.

namespace console {

// Draws the overlay over whatever the frame holds; called at the end of every frame while
// the console is open. Without a font the areas are still drawn, the text is not. Leaves
// the OpenGL state as it found it.
void drawConsole();

}  // namespace console
