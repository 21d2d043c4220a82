#pragma once
// Small AVI files the video tests play, written with the generator's own MJPEG writer.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support/temp_directory.h"
#include "tools/videogen/avi_writer.h"

// `count` frames of `width` x `height`, each filled with a grey level that names its index
// (frame n: 20 + 10 n), so a decoded frame tells which one it is.
std::vector<RgbFrame> numberedFrames(int count, int width, int height);
// The frames as an AVI at `fps`; an empty string when the writer refuses.
std::string aviBytes(const std::vector<RgbFrame>& frames, int width, int height, int fps);
// The grey level numberedFrames gives frame `index`.
int greyOfFrame(uint32_t index);
