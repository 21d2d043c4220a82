#pragma once
// Writes pictures as an MJPEG video in an AVI file with libavcodec and libavformat, the form
// the game's intro takes. The encoder and the muxer run bit-exact, with no version text in
// the file, so the same pictures always give the same bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One picture: rows from the top, three bytes a pixel in R, G, B order.
struct RgbFrame {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  RgbFrame() = default;
  RgbFrame(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, 0) {}
  std::uint8_t* pixel(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

struct AviSettings {
  int framesPerSecond = 15;
  // MJPEG's quantiser scale, 2 (finest) to 31 (smallest).
  int quantiser = 4;
};

// The whole file; nothing when a frame's size differs from the first's or the encoder
// refuses. No frames at all gives a valid file whose stream holds none.
std::optional<std::string> encodeMjpegAvi(const std::vector<RgbFrame>& frames, int width,
                                          int height, const AviSettings& settings);
