#include "tools/imagegen/frame_sets.h"

#include <cstdio>

std::string frameFileName(std::string_view stem, int playIndex, int frameCount) {
  char number[8];
  std::snprintf(number, sizeof number, "%02d", frameCount - 1 - playIndex);
  return std::string(stem) + "_FRAME" + number + ".tga";
}
