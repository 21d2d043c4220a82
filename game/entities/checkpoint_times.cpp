#include "game/entities/checkpoint_times.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "common/config_file.h"
#include "game/console/console.h"
#include "game/platform/texture_handle.h"
#include "game/world/level_record.h"

namespace checkpoint_times {
namespace {

constexpr float kShortestFade = 0.01f;

enum Phase : int32_t { kHidden, kTimeIn, kTimeOut, kDifferenceIn, kDifferenceOut };

struct State {
  std::map<const Trigger*, uint32_t> reachedAt;
  int32_t phase = kHidden;
  float fadeLeft = 0.0f;
  uint32_t previous = 0;
  uint32_t current = 0;
  int32_t reached = 0;
};

Settings settings_;
State state_;
std::optional<TextureHandle> font_;

Colour readColour(const ConfigFile& file, const std::string& prefix) {
  return {file.getFloat(prefix + "_r"), file.getFloat(prefix + "_g"), file.getFloat(prefix + "_b"),
          file.getFloat(prefix + "_a")};
}

void readSettings() {
  const ConfigFile file(kConfigPath);
  settings_.font = file.getString("font");
  settings_.fontSize = file.getFloat("fontSize");
  settings_.fontColor = readColour(file, "fontColor");
  settings_.slowerFontColor = readColour(file, "slowerFontColor");
  settings_.fasterFontColor = readColour(file, "fasterFontColor");
  settings_.yPosition = file.getFloat("y_position");
  settings_.fadeTime = std::max(file.getFloat("fadeTime"), kShortestFade);
}

// The difference to the previous time at the checkpoint: "- " and the faster colour when
// quicker, else "+ " and the slower colour.
Display differenceDisplay() {
  const int64_t difference = int64_t(state_.current) - int64_t(state_.previous);
  const bool faster = difference < 0;
  return {(faster ? "- " : "+ ") + timeText(uint32_t(std::llabs(difference))),
          faster ? settings_.fasterFontColor : settings_.slowerFontColor};
}

// Fades in: the share of the fade done; fades out: the share left.
float fadeShare(bool fadingIn) {
  const float left = state_.fadeLeft / settings_.fadeTime;
  return fadingIn ? 1.0f - left : left;
}

// Runs the fade clock down; at its end the next phase starts (in after out: hidden).
void runFade(float seconds) {
  state_.fadeLeft -= seconds;
  if (state_.fadeLeft > 0.0f) return;
  const bool fadingIn = state_.phase == kTimeIn || state_.phase == kDifferenceIn;
  state_.phase = fadingIn ? state_.phase + 1 : kHidden;
  state_.fadeLeft = settings_.fadeTime;
}

using Clock = std::chrono::steady_clock;
// The fades run on real time, also while the game is paused; the clock is read on every
// update, shown or not, so a display starts its fade from the frame it begins in.
std::optional<Clock::time_point> lastUpdate;
std::optional<Display> shown;

float secondsSinceLastUpdate() {
  const Clock::time_point now = Clock::now();
  const float seconds =
      lastUpdate ? std::chrono::duration<float>(now - *lastUpdate).count() : 0.0f;
  lastUpdate = now;
  return seconds;
}

}  // namespace

void initialise() {
  console::print("\nInitialising check point times manager..");
  readSettings();
  if (!font_) font_.emplace(settings_.font, "DEFAULT_FONT");
  state_.reached = 0;
}

void shutdown() {
  console::print("\nShutting down check point times manager..");
  state_ = State{};
  font_.reset();
}

void checkpointReached(const Trigger& trigger, uint32_t levelTimeMs) {
  const auto found = state_.reachedAt.find(&trigger);
  if (found != state_.reachedAt.end()) {
    state_.previous = found->second;
    state_.current = levelTimeMs;
    state_.phase = kDifferenceIn;
  } else {
    state_.phase = kTimeIn;
  }
  state_.reachedAt[&trigger] = levelTimeMs;
  state_.fadeLeft = settings_.fadeTime;
  ++state_.reached;
}

std::optional<Display> advanceDisplay(float realSeconds, uint32_t levelTimeMs) {
  if (state_.phase == kHidden) return std::nullopt;
  const bool showsTime = state_.phase == kTimeIn || state_.phase == kTimeOut;
  Display display =
      showsTime ? Display{timeText(levelTimeMs), settings_.fontColor} : differenceDisplay();
  const float f = fadeShare(state_.phase == kTimeIn || state_.phase == kDifferenceIn);
  display.colour.a *= std::sqrt(std::max(f, 0.0f));
  runFade(realSeconds);
  if (!(f > 0.0f)) return std::nullopt;
  return display;
}

std::string timeText(uint32_t ms) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", ms % 3600000 / 60000, ms % 60000 / 1000,
                ms % 1000 / 10);
  return text;
}

int32_t phase() {
  return state_.phase;
}
int32_t reachedCount() {
  return state_.reached;
}
const Settings& settings() {
  return settings_;
}
const TextureHandle* font() {
  return font_ ? &*font_ : nullptr;
}

void updateDisplay() {
  updateDisplayAfter(secondsSinceLastUpdate());
}

void updateDisplayAfter(float realSeconds) {
  shown.reset();
  if (font() != nullptr) shown = advanceDisplay(realSeconds, level_record::elapsedMs());
}

const std::optional<Display>& shownDisplay() {
  return shown;
}

}  // namespace checkpoint_times
