#include "tools/soundgen/tone.h"

#include <algorithm>
#include <cmath>

#include "tools/soundgen/synth.h"

namespace {

// exp(-7) is below a thousandth: the tone is inaudible after seven decay constants.
constexpr float kDecaysUntilSilent = 7.0f;
constexpr float kEndRampSeconds = 0.005f;

float envelopeAt(const Tone& tone, float t) {
  if (t < tone.attackSeconds) return t / tone.attackSeconds;
  const float decayTime = t - tone.attackSeconds - tone.holdSeconds;
  return decayTime <= 0.0f ? 1.0f : std::exp(-decayTime / tone.decaySeconds);
}

float frequencyAt(const Tone& tone, float t) {
  if (tone.glideSeconds <= 0.0f || tone.fromHz == tone.toHz) return tone.fromHz;
  const float progress = std::min(1.0f, t / tone.glideSeconds);
  return tone.fromHz * std::pow(tone.toHz / tone.fromHz, progress);
}

// The voice's waveform from the sine and cosine of its phase: sin 2p = 2 s c and
// sin 3p = s (3 - 4 s^2) save two calls to the sine per sample.
float waveAt(float phase, float brightness) {
  const float s = std::sin(phase);
  if (brightness == 0.0f) return s;
  const float c = std::cos(phase);
  return s + brightness * 2.0f * s * c + brightness * brightness * s * (3.0f - 4.0f * s * s);
}

template <typename Emit>
void renderTone(const Tone& tone, float sampleRate, Emit emit) {
  const float seconds =
      tone.attackSeconds + tone.holdSeconds + kDecaysUntilSilent * tone.decaySeconds;
  const std::size_t length = samplesIn(seconds, sampleRate);
  const std::size_t ramp = std::min(length, samplesIn(kEndRampSeconds, sampleRate));
  float phase = 0.0f;
  for (std::size_t i = 0; i < length; ++i) {
    const float t = static_cast<float>(i) / sampleRate;
    float value = tone.amplitude * envelopeAt(tone, t) * waveAt(phase, tone.brightness);
    if (i + ramp >= length) value *= static_cast<float>(length - 1 - i) / static_cast<float>(ramp);
    emit(i, value);
    phase += 2.0f * kPi * frequencyAt(tone, t) / sampleRate;
    if (phase > 2.0f * kPi) phase -= 2.0f * kPi;
  }
}

}  // namespace

namespace {

// Where sample `i` of a tone starting at `start` lands in a buffer of `size`; `size` when it
// falls off the end of a clipped buffer.
std::size_t landingIndex(std::size_t start, std::size_t i, std::size_t size, Placement placement) {
  const std::size_t at = start + i;
  if (placement == Placement::Wrap) return at % size;
  return at < size ? at : size;
}

}  // namespace

void addTone(std::vector<float>& out, std::size_t start, const Tone& tone, float sampleRate,
             Placement placement) {
  const std::size_t size = out.size();
  if (size == 0) return;
  renderTone(tone, sampleRate, [&](std::size_t i, float value) {
    const std::size_t at = landingIndex(start, i, size, placement);
    if (at < size) out[at] += value;
  });
}

void addPannedTone(std::vector<float>& left, std::vector<float>& right, std::size_t start,
                   const Tone& tone, float pan, float sampleRate, Placement placement) {
  const std::size_t size = std::min(left.size(), right.size());
  if (size == 0) return;
  const float angle = std::clamp(pan, 0.0f, 1.0f) * kPi / 2.0f;
  const float leftGain = std::cos(angle);
  const float rightGain = std::sin(angle);
  renderTone(tone, sampleRate, [&](std::size_t i, float value) {
    const std::size_t at = landingIndex(start, i, size, placement);
    if (at >= size) return;
    left[at] += leftGain * value;
    right[at] += rightGain * value;
  });
}

float midiToHz(float note) {
  return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f);
}

std::size_t samplesIn(float seconds, float sampleRate) {
  return static_cast<std::size_t>(std::max(0.0f, seconds) * sampleRate);
}
