#pragma once
// A running mean over blocks of samples, as the frame pacer and the speed displays take it:
// the mean changes only when a block closes, so a display holds still long enough to read.

#include <cstdint>

// A running mean over blocks of `size` samples; `add` tells when a block has closed.
template <typename T, int32_t size>
struct MeanBlock {
  T sum = 0;
  int32_t count = 0;
  T lastMean = 0;

  bool add(T sample) {
    sum += sample;
    if (++count < size) return false;
    lastMean = sum / size;
    sum = 0;
    count = 0;
    return true;
  }
};
