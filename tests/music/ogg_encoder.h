#pragma once
// Ogg Vorbis files made on the spot for the music tests, so no binary sound file has to live
// in the repository: tones of known frequency whose pitch tells where in the file the
// player is.

#include <cstdint>
#include <vector>

namespace music_test {

// One stretch of a test tone.
struct ToneSegment {
  double frequency = 0.0;  // Hz; 0 is silence
  double seconds = 0.0;
};

// Interleaved 16-bit samples of sines at half the full scale, the same on every channel.
std::vector<int16_t> toneSamples(const std::vector<ToneSegment>& segments, int32_t channels,
                                 int32_t sampleRate);

// The samples as an Ogg Vorbis file (variable bit rate, good quality). Files joined into a
// chained stream need different serial numbers.
std::vector<uint8_t> encodeOgg(const std::vector<int16_t>& samples, int32_t channels,
                               int32_t sampleRate, int32_t serial = 1);

}  // namespace music_test
