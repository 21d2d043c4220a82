#pragma once
// The game loop's pace, which the window and the headless simulator's frame-clock mode share:
// the frame time (the mean of the last closed block of 16 frames, each timed in whole
// milliseconds on the game clock) and the time gathered toward the next tick. Ticks wait until
// a hundredth of a second has gathered, so at more than 100 frames per second some frames
// draw without simulating; a tick takes all the time gathered, at most simulation::kLongestTick.

#include "common/mean_block.h"
#include "game/platform/frame_timer.h"

class FramePacer {
 public:
  // Frames are timed from now; the time gathered stays.
  void restart() { timer_.restart(); }
  // A level's first frame ticks: a tick's worth counts as gathered, and frames are timed from
  // now.
  void startLevel();
  // Times the frame just begun; true when it closed a block of 16 and the frame time changed.
  bool measureFrame();
  // Mean seconds per frame over the last block of 16 frames; 0 until the first block closes.
  float frameTime() const { return frameTime_; }

  // Adds the frame time to the time gathered; true when a tick is due.
  bool gather();
  float gathered() const { return gathered_; }
  // Hands the time gathered, held to the longest tick, to the tick that uses it up.
  float takeGathered();

 private:
  FrameTimer timer_;
  MeanBlock<float, 16> frameTimes_;
  float frameTime_ = 0.0f;
  float gathered_ = 0.0f;
};
