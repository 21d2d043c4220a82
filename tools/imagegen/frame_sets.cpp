#include "tools/imagegen/frame_sets.h"

#include <cstdio>

std::string numberedFrameFileName(std::string_view stem, int number) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%02d", number);
  return std::string(stem) + "_FRAME" + digits + ".tga";
}

std::string frameFileName(std::string_view stem, int playIndex, int frameCount) {
  return numberedFrameFileName(stem, frameCount - 1 - playIndex);
}
