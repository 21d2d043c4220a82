#include "game/platform/video_clock.h"

namespace video {

bool VideoClock::step(float seconds) {
  if (isFinished()) return false;
  const float ms = seconds * 1000.0f;
  elapsedMs_ += ms >= 1.0f && ms < 4.0e9f ? uint32_t(ms) : 0u;
  if (elapsedMs_ <= frameTimeMs_) return false;
  ++frame_;
  elapsedMs_ = 0;
  return true;
}

VideoQuad videoQuad(uint32_t frameWidth, uint32_t frameHeight, int32_t clientWidth,
                    int32_t clientHeight) {
  VideoQuad quad;
  if (frameHeight == 0) return quad;
  const float width = float(frameWidth) / float(frameHeight) * float(clientHeight);
  const float centre = float(clientWidth) / 2.0f;
  quad.left = centre - width / 2.0f;
  quad.right = centre + width / 2.0f;
  quad.bottom = float(clientHeight);
  return quad;
}

uint32_t textureSide(uint32_t side) {
  uint32_t power = 1;
  while (power < side && power < (1u << 31)) power <<= 1;
  return power;
}

}  // namespace video
