#pragma once
// Sound as the generator builds it: floating-point samples at full scale +-1, channels
// interleaved. The writers turn it into the files the game plays.

#include <cstddef>
#include <vector>

struct Pcm {
  int sampleRate = 22050;
  int channels = 1;
  std::vector<float> samples;  // frame after frame, each frame one sample per channel

  std::size_t frames() const { return channels > 0 ? samples.size() / channels : 0; }
};
