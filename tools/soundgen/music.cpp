#include "tools/soundgen/music.h"

#include <array>
#include <cmath>

#include "tools/soundgen/synth.h"
#include "tools/soundgen/tone.h"

namespace {

constexpr float kRate = static_cast<float>(kThemeSampleRate);
constexpr float kBeatSeconds = 0.5f;
constexpr float kBarSeconds = 4 * kBeatSeconds;
constexpr int kBars = 16;
constexpr int kBarsPerChord = 2;
constexpr float kEchoSeconds = 0.375f;  // a dotted eighth
constexpr float kEchoFeedback = 0.35f;
constexpr float kEchoLevel = 0.3f;

struct Chord {
  std::array<float, 3> notes;  // MIDI, the pad's voicing
  float bass;
};

constexpr std::array<Chord, 4> kProgression{{
    {{62, 65, 69}, 50},  // Dm
    {{58, 62, 65}, 46},  // Bb
    {{60, 65, 69}, 53},  // F
    {{60, 64, 67}, 48},  // C
}};

struct Track {
  std::vector<float> left = std::vector<float>(samplesIn(kThemeSeconds, kRate));
  std::vector<float> right = std::vector<float>(samplesIn(kThemeSeconds, kRate));

  void add(float startSeconds, const Tone& tone, float pan) {
    addPannedTone(left, right, samplesIn(startSeconds, kRate), tone, pan, kRate, Placement::Wrap);
  }
};

const Chord& chordOfBar(int bar) {
  return kProgression[static_cast<std::size_t>(bar / kBarsPerChord) % kProgression.size()];
}

Tone steadyTone(float note) {
  Tone tone;
  tone.fromHz = tone.toHz = midiToHz(note);
  return tone;
}

// Two slightly detuned voices per note, one each side, swell in and hold for the chord.
void addPads(Track& track) {
  for (int bar = 0; bar < kBars; bar += kBarsPerChord) {
    for (float note : chordOfBar(bar).notes) {
      for (int side = 0; side < 2; ++side) {
        Tone pad = steadyTone(note);
        pad.fromHz = pad.toHz = pad.fromHz * (side == 0 ? 0.9985f : 1.0015f);
        pad.attackSeconds = 0.6f;
        pad.holdSeconds = kBarsPerChord * kBarSeconds - 0.9f;
        pad.decaySeconds = 0.5f;
        pad.amplitude = 0.09f;
        pad.brightness = 0.25f;
        track.add(static_cast<float>(bar) * kBarSeconds, pad, side == 0 ? 0.2f : 0.8f);
      }
    }
  }
}

// The root on every second beat, the fifth above on the last of each bar.
void addBass(Track& track) {
  for (int bar = 0; bar < kBars; ++bar) {
    const float root = chordOfBar(bar).bass;
    constexpr std::array<float, 2> kSteps{0, 7};
    for (int half = 0; half < 2; ++half) {
      Tone bass = steadyTone(root + (half == 1 && bar % 2 == 1 ? kSteps[1] : kSteps[0]));
      bass.attackSeconds = 0.01f;
      bass.holdSeconds = 0.5f;
      bass.decaySeconds = 0.25f;
      bass.amplitude = 0.22f;
      bass.brightness = 0.3f;
      track.add((static_cast<float>(bar) * 4 + 2 * half) * kBeatSeconds, bass, 0.5f);
    }
  }
}

// Eighth notes climbing and falling over the chord, in the second half only.
void addArpeggio(Track& track) {
  constexpr std::array<int, 8> kPattern{0, 1, 2, 3, 2, 1, 2, 3};
  for (int bar = kBars / 2; bar < kBars; ++bar) {
    const Chord& chord = chordOfBar(bar);
    const std::array<float, 4> notes{chord.notes[0] + 12, chord.notes[1] + 12, chord.notes[2] + 12,
                                     chord.notes[0] + 24};
    for (int step = 0; step < 8; ++step) {
      Tone pluck = steadyTone(notes[static_cast<std::size_t>(kPattern[step])]);
      pluck.attackSeconds = 0.003f;
      pluck.decaySeconds = 0.3f;
      pluck.amplitude = 0.08f;
      pluck.brightness = 0.35f;
      const float start =
          (static_cast<float>(bar) * 8 + static_cast<float>(step)) * kBeatSeconds / 2;
      track.add(start, pluck, step % 2 == 0 ? 0.3f : 0.7f);
    }
  }
}

void addDrops(Track& track, Random& random) {
  for (int bar = 0; bar < kBars; ++bar) {
    for (int drop = 0; drop < 2; ++drop) {
      Tone plink;
      plink.fromHz = random.range(1200.0f, 2400.0f);
      plink.toHz = plink.fromHz * 1.4f;
      plink.glideSeconds = 0.03f;
      plink.decaySeconds = 0.04f;
      plink.amplitude = 0.05f;
      track.add((static_cast<float>(bar) + random.unit()) * kBarSeconds, plink, random.unit());
    }
  }
}

// Each side's echo feeds the other. Going round the loop twice lets the echoes of the end
// reach the start, as they would when the music repeats.
void addPingPongEcho(Track& track) {
  const std::size_t size = track.left.size();
  const std::size_t delay = samplesIn(kEchoSeconds, kRate);
  std::vector<float> wetLeft(size), wetRight(size);
  for (int round = 0; round < 2; ++round) {
    for (std::size_t i = 0; i < size; ++i) {
      const std::size_t from = (i + size - delay) % size;
      wetLeft[i] = track.left[i] + kEchoFeedback * wetRight[from];
      wetRight[i] = track.right[i] + kEchoFeedback * wetLeft[from];
    }
  }
  for (std::size_t i = 0; i < size; ++i) {
    track.left[i] += kEchoLevel * (wetLeft[i] - track.left[i]);
    track.right[i] += kEchoLevel * (wetRight[i] - track.right[i]);
  }
}

}  // namespace

Pcm composeTheme() {
  Track track;
  Random random(0x7e3e);
  addPads(track);
  addBass(track);
  addArpeggio(track);
  addDrops(track, random);
  addPingPongEcho(track);

  Pcm pcm;
  pcm.sampleRate = kThemeSampleRate;
  pcm.channels = 2;
  pcm.samples.resize(track.left.size() * 2);
  for (std::size_t i = 0; i < track.left.size(); ++i) {
    pcm.samples[2 * i] = track.left[i];
    pcm.samples[2 * i + 1] = track.right[i];
  }
  normalisePeak(pcm.samples, 0.8f);
  return pcm;
}
