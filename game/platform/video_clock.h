#pragma once
// The pacing of a video: time gathers towards the next frame, and once it exceeds one frame's
// time the next frame comes. At most one frame comes per step and none is ever skipped, so a
// slow loop slows the video down rather than dropping frames.

#include <cstdint>

namespace video {

class VideoClock {
 public:
  VideoClock() = default;
  VideoClock(uint32_t frameCount, uint32_t frameTimeMs)
      : frameCount_(frameCount), frameTimeMs_(frameTimeMs) {}

  // Back to frame 0 with nothing gathered.
  void rewind() {
    frame_ = 0;
    elapsedMs_ = 0;
  }
  // Gathers `seconds` (whole milliseconds count); true when a new frame is due, which then
  // becomes the current one. A finished clock stays where it is.
  bool step(float seconds);

  uint32_t frame() const { return frame_; }
  uint32_t elapsedMs() const { return elapsedMs_; }
  bool isFinished() const { return frame_ >= frameCount_; }

 private:
  uint32_t frameCount_ = 0;
  uint32_t frameTimeMs_ = 0;
  uint32_t frame_ = 0;
  uint32_t elapsedMs_ = 0;
};

// Where a frame is drawn in the client area: the full height, its own aspect ratio, centred
// across; a 4:3 frame in a 1280 x 720 client spans x = 160 to 1120.
struct VideoQuad {
  float left = 0.0f;
  float right = 0.0f;
  float bottom = 0.0f;  // the client height; the top is 0
};
VideoQuad videoQuad(uint32_t frameWidth, uint32_t frameHeight, int32_t clientWidth,
                    int32_t clientHeight);

// The next power of two at or above `side` (an exact power stays), at least 1.
uint32_t textureSide(uint32_t side);

}  // namespace video
