#pragma once
// The building blocks every generated sound is made of: a seeded random source, a few
// filters, envelopes and the finishing touches (fades, peak level, the loop point). All of it
// is plain arithmetic on floats, so the same build writes the same bytes on every run.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr float kPi = 3.14159265358979f;

// SplitMix64: small, fast and well mixed; one seed per sound keeps the sounds independent
// of the order they are made in.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  // Uniform in [0, 1).
  float unit();
  // Uniform in [-1, 1).
  float bipolar() { return unit() * 2.0f - 1.0f; }
  // Uniform in [low, high).
  float range(float low, float high) { return low + (high - low) * unit(); }

 private:
  std::uint64_t state_;
};

// A second-order section (the well-known "cookbook" designs). Coefficients may be changed
// between samples, which is how the sweeping filters of the splashes work.
class Biquad {
 public:
  void setLowPass(float frequency, float q, float sampleRate);
  void setHighPass(float frequency, float q, float sampleRate);
  // Unity gain at the centre frequency.
  void setBandPass(float frequency, float q, float sampleRate);
  float process(float x);

 private:
  void setNormalised(float b0, float b1, float b2, float a0, float a1, float a2);
  float b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  float x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Runs `filter` over `samples` twice around and keeps the second pass, so the filter's
// memory at the start is what the end of the buffer left in it: a periodic input stays
// periodic and the result loops without a seam.
void filterCircular(std::vector<float>& samples, Biquad& filter);

// Noise in [-1, 1).
std::vector<float> whiteNoise(std::size_t count, Random& random);

// A smooth periodic wobble for loops: 1 + depth x (a sum of sines with a whole number of
// cycles in the loop), sampled at `index` of `length`.
float loopWobble(std::size_t index, std::size_t length, float depth, std::span<const int> cycles);

// Raises a short linear fade at both ends, so a one-shot sound starts and ends at rest.
void fadeEdges(std::vector<float>& samples, std::size_t fadeIn, std::size_t fadeOut);
// Scales so the largest magnitude becomes `peak`; silence stays silence.
void normalisePeak(std::vector<float>& samples, float peak);
// Removes the average, so a loop swings around zero and has crossings to start from.
void removeOffset(std::vector<float>& samples);
// Turns a periodic buffer so that it starts at the rising zero crossing where the jump from
// the last sample to the first is smallest and its slope best matches its neighbours': the
// loop point then sounds like any other sample.
void rotateToLoopPoint(std::vector<float>& samples);
