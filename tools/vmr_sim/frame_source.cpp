#include "tools/vmr_sim/frame_source.h"

#include <charconv>
#include <cmath>

#include "common/split_mix.h"
#include "game/platform/game_clock.h"

namespace {

constexpr double kShortestJitterFrame = 0.008;
constexpr double kLongestJitterFrame = 0.040;
constexpr double kStall = 0.100;
// One frame in a hundred stalls: about one every two seconds.
constexpr uint64_t kStallOdds = 100;

constexpr double kShortestRecordedMs = 0.1;
constexpr double kLongestRecordedMs = 1000.0;

// The jitter has its own source, so the game's random source, which the simulation draws
// from, stays where the seed put it.
double jitteredFrame(uint64_t& state) {
  if (splitMix64(state) % kStallOdds == 0) return kStall;
  const double unit = double(splitMix64(state) >> 11) * 0x1.0p-53;
  return kShortestJitterFrame + unit * (kLongestJitterFrame - kShortestJitterFrame);
}

bool isBlankOrRemark(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t\r");
  return first == std::string_view::npos || line[first] == '#';
}

std::string_view trimmed(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t\r");
  const size_t last = line.find_last_not_of(" \t\r");
  return line.substr(first, last - first + 1);
}

}  // namespace

FrameSource FrameSource::steady(double rate) {
  return recorded({1.0 / rate});
}

FrameSource FrameSource::recorded(std::vector<double> lengths) {
  FrameSource source;
  source.lengths_ = std::move(lengths);
  return source;
}

FrameSource FrameSource::jittered(uint64_t seed) {
  FrameSource source;
  source.jitterState_ = seed;
  return source;
}

double FrameSource::next() {
  if (jitterState_) return jitteredFrame(*jitterState_);
  const double length = lengths_[nextLength_];
  nextLength_ = (nextLength_ + 1) % lengths_.size();
  return length;
}

std::optional<std::vector<double>> parseFrameTimes(std::string_view text, std::string& error) {
  std::vector<double> lengths;
  for (int32_t lineNumber = 1; !text.empty(); ++lineNumber) {
    const size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (isBlankOrRemark(line)) continue;
    const std::string_view word = trimmed(line);
    double ms = 0.0;
    const auto [stop, problem] = std::from_chars(word.data(), word.data() + word.size(), ms);
    if (problem != std::errc() || stop != word.data() + word.size() || !std::isfinite(ms) ||
        ms < kShortestRecordedMs || ms > kLongestRecordedMs) {
      error = "line " + std::to_string(lineNumber) +
              ": a frame's length is a number of milliseconds from 0.1 to 1000, not \"" +
              std::string(word) + "\"";
      return std::nullopt;
    }
    lengths.push_back(ms / 1000.0);
  }
  if (lengths.empty()) error = "no frame length in the list";
  if (lengths.empty()) return std::nullopt;
  return lengths;
}

FramePacedTicks::FramePacedTicks(FrameSource frames) : frames_(std::move(frames)) {
  pacer_.startLevel();
}

float FramePacedTicks::next() {
  for (;;) {
    game_clock::advance(frames_.next());
    pacer_.measureFrame();
    if (pacer_.gather()) return pacer_.takeGathered();
  }
}
