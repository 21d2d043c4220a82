#include "tools/soundgen/effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "tools/soundgen/synth.h"
#include "tools/soundgen/tone.h"

namespace {

constexpr float kRate = static_cast<float>(kEffectSampleRate);

std::uint64_t seedFor(std::uint64_t sound, int size, int take) {
  return sound * 1000003u + static_cast<std::uint64_t>(size) * 101u +
         static_cast<std::uint64_t>(take);
}

// The last touches of a loop built periodic: centred, turned to its best seam, levelled.
Pcm finishLoop(std::vector<float> samples, float peak) {
  removeOffset(samples);
  rotateToLoopPoint(samples);
  normalisePeak(samples, peak);
  return monoPcm(std::move(samples));
}

int clampedSize(int size) {
  return std::clamp(size, 1, 3);
}

struct SplashShape {
  float seconds;
  float sweepFromHz, sweepToHz;  // the noise band's centre falls between these
  float bloopFromHz, bloopToHz;  // the pitch drop of the closing water
  int droplets;
  float peak;
};

constexpr std::array<SplashShape, 3> kSplashShapes{{
    {0.35f, 4200.0f, 1300.0f, 750.0f, 380.0f, 0, 0.6f},
    {0.6f, 3200.0f, 800.0f, 520.0f, 230.0f, 4, 0.75f},
    {1.0f, 2400.0f, 420.0f, 360.0f, 130.0f, 9, 0.9f},
}};

// Noise whose band-pass centre falls from `fromHz` to `toHz` over the first 60 % of its
// length, under a fast attack and an exponential decay.
void addSweptNoise(std::vector<float>& out, Random& random, float fromHz, float toHz) {
  const float seconds = static_cast<float>(out.size()) / kRate;
  Biquad band;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const float t = static_cast<float>(i) / kRate;
    if (i % 16 == 0) {
      const float progress = std::min(1.0f, t / (seconds * 0.6f));
      band.setBandPass(fromHz * std::pow(toHz / fromHz, progress), 1.1f, kRate);
    }
    const float envelope = std::min(1.0f, t / 0.004f) * std::exp(-t / (seconds * 0.22f));
    out[i] += band.process(random.bipolar()) * envelope;
  }
}

// A drop landing: a quick rising plink.
Tone dropletTone(Random& random) {
  Tone drop;
  drop.fromHz = random.range(900.0f, 2200.0f);
  drop.toHz = drop.fromHz * 1.6f;
  drop.glideSeconds = 0.04f;
  drop.decaySeconds = random.range(0.015f, 0.035f);
  drop.amplitude = random.range(0.08f, 0.2f);
  return drop;
}

// A ring of ice: an unrelated high partial dying fast.
Tone iceRing(Random& random, float lowHz, float highHz, float decaySeconds, float amplitude) {
  Tone ring;
  ring.fromHz = ring.toHz = random.range(lowHz, highHz);
  ring.attackSeconds = 0.0005f;
  ring.decaySeconds = decaySeconds * random.range(0.5f, 1.5f);
  ring.amplitude = amplitude * random.range(0.3f, 1.0f);
  return ring;
}

struct CrackShape {
  float seconds;
  int cracks;
  float lowHz, highHz;  // the range of the ringing partials
  float ringSeconds;
  float thud;  // loudness of the low knock under the first crack
  float peak;
};

constexpr std::array<CrackShape, 3> kCrackShapes{{
    {0.25f, 1, 1800.0f, 6500.0f, 0.015f, 0.0f, 0.6f},
    {0.45f, 3, 1200.0f, 5000.0f, 0.025f, 0.3f, 0.75f},
    {0.8f, 6, 600.0f, 3500.0f, 0.04f, 0.6f, 0.9f},
}};

// One crack: a few milliseconds of bright noise and the partials it sets ringing.
void addCrack(std::vector<float>& out, std::size_t start, Random& random, const CrackShape& shape,
              float loudness, Placement placement) {
  const std::size_t clickLength = samplesIn(0.003f, kRate);
  for (std::size_t i = 0; i < clickLength; ++i) {
    const std::size_t at = placement == Placement::Wrap ? (start + i) % out.size() : start + i;
    if (at >= out.size()) break;
    const float fade = 1.0f - static_cast<float>(i) / static_cast<float>(clickLength);
    out[at] += 0.5f * loudness * fade * random.bipolar();
  }
  for (int ring = 0; ring < 4; ++ring) {
    addTone(out, start, iceRing(random, shape.lowHz, shape.highHz, shape.ringSeconds, loudness),
            kRate, placement);
  }
}

// Band-limited noise as a periodic buffer: the filters run around the loop.
std::vector<float> loopNoise(std::size_t length, Random& random, Biquad& filter) {
  std::vector<float> noise = whiteNoise(length, random);
  filterCircular(noise, filter);
  return noise;
}

void applyWobble(std::vector<float>& samples, float depth, std::span<const int> cycles) {
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] *= std::max(0.0f, loopWobble(i, samples.size(), depth, cycles));
  }
}

void mixInto(std::vector<float>& out, const std::vector<float>& add, float gain) {
  for (std::size_t i = 0; i < out.size() && i < add.size(); ++i) out[i] += gain * add[i];
}

}  // namespace

Pcm makeSplash(int size, int take) {
  const SplashShape& shape = kSplashShapes[clampedSize(size) - 1];
  Random random(seedFor(1, size, take));
  const float seconds = shape.seconds * random.range(0.9f, 1.1f);
  std::vector<float> out(samplesIn(seconds, kRate));
  addSweptNoise(out, random, shape.sweepFromHz * random.range(0.9f, 1.1f), shape.sweepToHz);

  Tone bloop;
  const float detune = random.range(0.85f, 1.15f);
  bloop.fromHz = shape.bloopFromHz * detune;
  bloop.toHz = shape.bloopToHz * detune;
  bloop.glideSeconds = 0.12f;
  bloop.attackSeconds = 0.004f;
  bloop.decaySeconds = 0.05f * static_cast<float>(clampedSize(size));
  bloop.amplitude = 0.5f;
  addTone(out, samplesIn(0.01f, kRate), bloop, kRate, Placement::Clip);

  for (int drop = 0; drop < shape.droplets; ++drop) {
    const std::size_t at = samplesIn(seconds * random.range(0.15f, 0.8f), kRate);
    addTone(out, at, dropletTone(random), kRate, Placement::Clip);
  }
  return finishOneShot(std::move(out), shape.peak);
}

Pcm makeIceCrack(int size, int take) {
  const CrackShape& shape = kCrackShapes[clampedSize(size) - 1];
  Random random(seedFor(2, size, take));
  std::vector<float> out(samplesIn(shape.seconds * random.range(0.9f, 1.1f), kRate));
  const float spread = static_cast<float>(out.size()) * 0.5f;
  for (int crack = 0; crack < shape.cracks; ++crack) {
    const std::size_t at = crack == 0 ? samplesIn(0.003f, kRate)
                                      : static_cast<std::size_t>(random.range(0.0f, spread));
    const float loudness = crack == 0 ? 1.0f : random.range(0.3f, 0.8f);
    addCrack(out, at, random, shape, loudness, Placement::Clip);
  }
  if (shape.thud > 0.0f) {
    Tone thud;
    thud.fromHz = random.range(120.0f, 160.0f);
    thud.toHz = thud.fromHz * 0.5f;
    thud.glideSeconds = 0.08f;
    thud.attackSeconds = 0.003f;
    thud.decaySeconds = 0.06f;
    thud.amplitude = shape.thud;
    addTone(out, samplesIn(0.003f, kRate), thud, kRate, Placement::Clip);
  }
  return finishOneShot(std::move(out), shape.peak);
}

Pcm makeWaterAmbient() {
  const std::size_t length = samplesIn(3.0f, kRate);
  Random random(seedFor(3, 0, 0));
  Biquad low;
  low.setLowPass(350.0f, 0.7f, kRate);
  std::vector<float> out = loopNoise(length, random, low);
  Biquad middle;
  middle.setBandPass(700.0f, 1.0f, kRate);
  mixInto(out, loopNoise(length, random, middle), 0.3f);
  constexpr int kSwell[] = {1, 2, 3};
  applyWobble(out, 0.3f, kSwell);
  // Hum partials with a whole number of cycles in the three seconds: 60 Hz and 90.33 Hz.
  for (std::size_t i = 0; i < length; ++i) {
    const float phase = 2.0f * kPi * static_cast<float>(i) / static_cast<float>(length);
    out[i] += 0.08f * std::sin(180.0f * phase) + 0.05f * std::sin(271.0f * phase);
  }
  for (int bubble = 0; bubble < 6; ++bubble) {
    Tone tone = dropletTone(random);
    tone.fromHz *= 0.5f;
    tone.toHz *= 0.5f;
    addTone(out, static_cast<std::size_t>(random.range(0.0f, static_cast<float>(length))), tone,
            kRate, Placement::Wrap);
  }
  return finishLoop(std::move(out), 0.7f);
}

Pcm makeIceFreeze() {
  const std::size_t length = samplesIn(2.0f, kRate);
  Random random(seedFor(4, 0, 0));
  Biquad air;
  air.setBandPass(6000.0f, 0.8f, kRate);
  std::vector<float> out = loopNoise(length, random, air);
  for (float& sample : out) sample *= 0.05f;
  const CrackShape& fine = kCrackShapes[0];
  for (int crackle = 0; crackle < 24; ++crackle) {
    const auto at = static_cast<std::size_t>(random.range(0.0f, static_cast<float>(length)));
    addCrack(out, at, random, fine, random.range(0.1f, 0.6f), Placement::Wrap);
  }
  return finishLoop(std::move(out), 0.7f);
}

Pcm makeIceScrape() {
  const std::size_t length = samplesIn(2.0f, kRate);
  Random random(seedFor(5, 0, 0));
  Biquad body;
  body.setBandPass(700.0f, 1.5f, kRate);
  std::vector<float> out = loopNoise(length, random, body);
  Biquad grit;
  grit.setBandPass(2400.0f, 3.0f, kRate);
  mixInto(out, loopNoise(length, random, grit), 0.5f);
  // Stick and slip: a rough, fast flutter of the loudness.
  constexpr int kFlutter[] = {7, 13, 23, 37};
  applyWobble(out, 0.9f, kFlutter);
  return finishLoop(std::move(out), 0.7f);
}

Pcm makeSteamHiss() {
  const std::size_t length = samplesIn(2.0f, kRate);
  Random random(seedFor(6, 0, 0));
  Biquad high;
  high.setHighPass(2200.0f, 0.7f, kRate);
  std::vector<float> out = loopNoise(length, random, high);
  Biquad sizzle;
  sizzle.setBandPass(5500.0f, 0.6f, kRate);
  mixInto(out, loopNoise(length, random, sizzle), 0.6f);
  constexpr int kSwell[] = {1, 3, 5};
  applyWobble(out, 0.2f, kSwell);
  return finishLoop(std::move(out), 0.7f);
}

Pcm makeSteamAmbient() {
  const std::size_t length = samplesIn(3.0f, kRate);
  Random random(seedFor(7, 0, 0));
  Biquad low;
  low.setLowPass(900.0f, 0.7f, kRate);
  std::vector<float> out = loopNoise(length, random, low);
  Biquad breath;
  breath.setBandPass(2500.0f, 0.8f, kRate);
  mixInto(out, loopNoise(length, random, breath), 0.3f);
  constexpr int kSwell[] = {1, 2};
  applyWobble(out, 0.35f, kSwell);
  return finishLoop(std::move(out), 0.7f);
}

Pcm monoPcm(std::vector<float> samples) {
  Pcm pcm;
  pcm.sampleRate = kEffectSampleRate;
  pcm.channels = 1;
  pcm.samples = std::move(samples);
  return pcm;
}

Pcm finishOneShot(std::vector<float> samples, float peak, float fadeOutSeconds) {
  fadeEdges(samples, samplesIn(0.002f, kRate), samplesIn(fadeOutSeconds, kRate));
  normalisePeak(samples, peak);
  return monoPcm(std::move(samples));
}
