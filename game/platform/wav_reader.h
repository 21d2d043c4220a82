#pragma once
// PCM WAV files read from bytes in memory. The layout is the fixed one our sound effects
// use: "RIFF", size, "WAVE", then the "fmt " chunk with its 16-byte PCM record, then any
// chunks up to "data". The reader hands back a view of the samples inside the caller's bytes,
// so reading allocates nothing and a sound costs no more memory than its file.

#include <cstdint>
#include <optional>
#include <span>

namespace sound {

// The PCM format record of the "fmt " chunk (little-endian in the file).
struct WavFormat {
  uint16_t formatTag = 0;  // 1 is integer PCM
  uint16_t channels = 0;
  uint32_t samplesPerSecond = 0;
  uint32_t averageBytesPerSecond = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
};

struct WavSound {
  WavFormat format;
  std::span<const uint8_t> samples;  // the "data" chunk, inside the bytes that were read
};

// Refuses (nullopt), in this order: fewer than 36 bytes; a tag other than "RIFF", "WAVE",
// "fmt "; a format tag other than 1; a zero rate, byte rate, block align or sample size; a
// channel count other than 1 and 2. Skips the rest of a format chunk longer than 16 bytes,
// then every chunk up to "data" by its stated size; refuses when the bytes end first, when
// "data" is empty, or when it states more bytes than are left. Never reads outside `bytes`.
std::optional<WavSound> readWav(std::span<const uint8_t> bytes);

}  // namespace sound
