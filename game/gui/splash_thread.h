#pragma once
// The loading screen's thread: its OpenGL context on the game window, its pictures, and the
// drawing loop that runs until the main thread clears `active`.

#include <atomic>
#include <cstdint>
#include <string>

struct SplashFlags {
  std::atomic<bool> active{false};  // written by the main thread
  std::atomic<bool> ready{false};   // written by the loading thread, set in every case
  std::atomic<uint32_t> framesDrawn{0};
};

// Makes a context, loads the pictures named by "cfg\splashScreen.cfg" into it, sets `ready`
// and draws a frame every 25 ms, with `title` (the loading level's name; may be empty) over
// it, while `active` holds; then lets its pictures and its context go, on this thread.
// Without a context it says so, sets `ready` and ends.
void runSplashThread(SplashFlags& flags, const std::string& title);
