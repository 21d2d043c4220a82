#include "video/video_files.h"

std::vector<RgbFrame> numberedFrames(int count, int width, int height) {
  std::vector<RgbFrame> frames;
  for (int n = 0; n < count; ++n) {
    RgbFrame frame(width, height);
    std::fill(frame.rgb.begin(), frame.rgb.end(), uint8_t(greyOfFrame(uint32_t(n))));
    frames.push_back(std::move(frame));
  }
  return frames;
}

std::string aviBytes(const std::vector<RgbFrame>& frames, int width, int height, int fps) {
  AviSettings settings;
  settings.framesPerSecond = fps;
  return encodeMjpegAvi(frames, width, height, settings).value_or("");
}

int greyOfFrame(uint32_t index) {
  return 20 + 10 * int(index);
}
