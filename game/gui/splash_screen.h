#pragma once
// The loading screen. While a level loads, a thread of its own draws a background picture
// and a small animation into the game window with an OpenGL context of its own, so the
// screen keeps moving however long the main thread is busy. The main thread keeps its own
// context for the textures it loads meanwhile; the two contexts share no GL objects.
//
// The two threads talk through two flags: `active`, which the main thread clears to end the
// screen, and `ready`, which the loading thread sets once its pictures are loaded and it is
// about to draw. Until then the main thread waits, so the loading thread's configuration
// messages and texture work never meet the main thread's. No input reaches the game while the
// screen is up: the window's listener is taken away and put back afterwards.

#include <cstdint>
#include <string_view>

namespace splash_screen {

// Nothing when the screen is up already, or without a window. Returns once the screen draws,
// with `title` (the loading level's name) written over it.
void startSplash(std::string_view title = {});
// Nothing when the screen is not up. Returns once its thread has ended.
void stopSplash();

bool isActive();
// Loading-screen threads started since the program began, and frames drawn by the current
// (or last) one; the tests watch the screen by them.
uint32_t threadsStarted();
uint32_t framesDrawn();

}  // namespace splash_screen
