#include "tools/soundgen/synth.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/split_mix.h"

std::uint64_t Random::next() {
  return splitMix64(state_);
}

float Random::unit() {
  return static_cast<float>(next() >> 40) / 16777216.0f;
}

void Biquad::setNormalised(float b0, float b1, float b2, float a0, float a1, float a2) {
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = a1 / a0;
  a2_ = a2 / a0;
}

namespace {

struct Angle {
  float cosine;
  float alpha;
};

// Keeps the corner safely below the Nyquist frequency, where the designs break down.
Angle cornerAngle(float frequency, float q, float sampleRate) {
  const float limited = std::clamp(frequency, 10.0f, sampleRate * 0.45f);
  const float w = 2.0f * kPi * limited / sampleRate;
  return {std::cos(w), std::sin(w) / (2.0f * q)};
}

}  // namespace

void Biquad::setLowPass(float frequency, float q, float sampleRate) {
  const Angle a = cornerAngle(frequency, q, sampleRate);
  const float side = (1.0f - a.cosine) / 2.0f;
  setNormalised(side, 1.0f - a.cosine, side, 1.0f + a.alpha, -2.0f * a.cosine, 1.0f - a.alpha);
}

void Biquad::setHighPass(float frequency, float q, float sampleRate) {
  const Angle a = cornerAngle(frequency, q, sampleRate);
  const float side = (1.0f + a.cosine) / 2.0f;
  setNormalised(side, -(1.0f + a.cosine), side, 1.0f + a.alpha, -2.0f * a.cosine, 1.0f - a.alpha);
}

void Biquad::setBandPass(float frequency, float q, float sampleRate) {
  const Angle a = cornerAngle(frequency, q, sampleRate);
  setNormalised(a.alpha, 0.0f, -a.alpha, 1.0f + a.alpha, -2.0f * a.cosine, 1.0f - a.alpha);
}

float Biquad::process(float x) {
  const float y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

void filterCircular(std::vector<float>& samples, Biquad& filter) {
  for (float sample : samples) filter.process(sample);
  for (float& sample : samples) sample = filter.process(sample);
}

std::vector<float> whiteNoise(std::size_t count, Random& random) {
  std::vector<float> noise(count);
  for (float& sample : noise) sample = random.bipolar();
  return noise;
}

float loopWobble(std::size_t index, std::size_t length, float depth, std::span<const int> cycles) {
  if (cycles.empty() || length == 0) return 1.0f;
  const float phase = static_cast<float>(index) / static_cast<float>(length);
  float sum = 0.0f;
  for (std::size_t i = 0; i < cycles.size(); ++i) {
    sum += std::sin(2.0f * kPi * (phase * static_cast<float>(cycles[i]) + 0.17f * i));
  }
  return 1.0f + depth * sum / static_cast<float>(cycles.size());
}

void fadeEdges(std::vector<float>& samples, std::size_t fadeIn, std::size_t fadeOut) {
  const std::size_t size = samples.size();
  for (std::size_t i = 0; i < std::min(fadeIn, size); ++i) {
    samples[i] *= static_cast<float>(i) / static_cast<float>(fadeIn);
  }
  for (std::size_t i = 0; i < std::min(fadeOut, size); ++i) {
    samples[size - 1 - i] *= static_cast<float>(i) / static_cast<float>(fadeOut);
  }
}

void normalisePeak(std::vector<float>& samples, float peak) {
  float largest = 0.0f;
  for (float sample : samples) largest = std::max(largest, std::fabs(sample));
  if (largest <= 0.0f) return;
  const float scale = peak / largest;
  for (float& sample : samples) sample *= scale;
}

void removeOffset(std::vector<float>& samples) {
  if (samples.empty()) return;
  double sum = 0.0;
  for (float sample : samples) sum += sample;
  const float mean = static_cast<float>(sum / static_cast<double>(samples.size()));
  for (float& sample : samples) sample -= mean;
}

namespace {

// How audible a loop seam starting at `start` would be: the two samples either side of the
// seam should be near zero, and the step across it should match the steps before and after.
float seamCost(const std::vector<float>& samples, std::size_t start) {
  const std::size_t n = samples.size();
  const float before2 = samples[(start + n - 2) % n];
  const float before = samples[(start + n - 1) % n];
  const float first = samples[start];
  const float after = samples[(start + 1) % n];
  const float step = first - before;
  return std::max(std::fabs(before), std::fabs(first)) +
         std::max(std::fabs((after - first) - step), std::fabs(step - (before - before2)));
}

}  // namespace

void rotateToLoopPoint(std::vector<float>& samples) {
  const std::size_t n = samples.size();
  if (n < 4) return;
  std::size_t best = 0;
  float bestCost = std::numeric_limits<float>::max();
  for (std::size_t start = 0; start < n; ++start) {
    const bool risingCrossing = samples[(start + n - 1) % n] < 0.0f && samples[start] >= 0.0f;
    if (!risingCrossing) continue;
    const float cost = seamCost(samples, start);
    if (cost < bestCost) {
      bestCost = cost;
      best = start;
    }
  }
  std::rotate(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(best), samples.end());
}
