#pragma once
// The frames of a run paced as the window paces the game: steady frames of one rate, a
// recorded list of frame lengths, or an uneven machine's frames drawn from a seeded source.
// Each frame moves the game clock on, and the frame pacer the window's main loop runs decides
// which frames tick and how long each tick is.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/simulation/frame_pacer.h"

class FrameSource {
 public:
  // Frames of 1/`rate` s each.
  static FrameSource steady(double rate);
  // The lengths in seconds, over and over.
  static FrameSource recorded(std::vector<double> lengths);
  // Frames of 8 to 40 ms, now and then a stall of 100 ms, drawn from `seed`.
  static FrameSource jittered(uint64_t seed);

  // The next frame's length in seconds.
  double next();

 private:
  std::vector<double> lengths_;
  size_t nextLength_ = 0;
  std::optional<uint64_t> jitterState_;
};

// Frame lengths as a recording lists them: one a line in milliseconds, from 0.1 to 1000,
// blank lines and lines starting with '#' skipped. Nullopt after writing "line N: <problem>"
// into `error`; a list without a frame is refused too.
std::optional<std::vector<double>> parseFrameTimes(std::string_view text, std::string& error);

// The ticks of a run paced by frames, from its level's start: frames from the source move the
// game clock on and the frame pacer ticks them as the window's main loop does.
class FramePacedTicks {
 public:
  // The level starts now, as the window starts a loaded level.
  explicit FramePacedTicks(FrameSource frames);
  // Plays frames until one ticks, and gives that tick's length; the game clock stands at the
  // frame's start.
  float next();

 private:
  FrameSource frames_;
  FramePacer pacer_;
};
