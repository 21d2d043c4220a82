#pragma once
// Builds PCM WAV files in memory for the sound tests: a sine or silence in any of the shapes
// the reader must accept or refuse.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sound_test {

struct WavLayout {
  uint16_t formatTag = 1;
  uint16_t channels = 1;
  uint32_t rate = 44100;
  uint16_t bits = 16;
  uint32_t formatChunkBytes = 16;  // more than 16 appends zero bytes to the format chunk
  std::string extraChunk;          // a whole chunk (id, size, body) put before "data"
};

// A chunk: four-letter id, little-endian size, body.
std::string chunk(std::string_view id, std::string_view body);
// The file for `layout` with `samples` as the data chunk's body.
std::string wavFile(const WavLayout& layout, std::string_view samples);
// `frames` frames of a sine of `hertz` at `layout.rate`, peak `amplitude` (0..1), in every
// channel, in the layout's sample size.
std::string sineSamples(const WavLayout& layout, double hertz, uint32_t frames, double amplitude);

}  // namespace sound_test
