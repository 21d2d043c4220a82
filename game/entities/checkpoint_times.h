#pragma once
// When the water reaches a checkpoint the level time is shown for a moment; reaching the
// same checkpoint again later (after a restart) shows how much faster or slower the player
// was than the time before, in a colour of its own. The text fades in and out; each drawn
// frame asks for what to show with updateDisplay before it draws.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TextureHandle;
struct Trigger;

namespace checkpoint_times {

constexpr std::string_view kConfigPath = "cfg\\checkPoints.cfg";

struct Colour {
  float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
};

struct Settings {
  std::string font;
  float fontSize = 0.0f;
  Colour fontColor, slowerFontColor, fasterFontColor;
  float yPosition = 0.0f;
  float fadeTime = 0.01f;  // seconds of each fade, at least 0.01
};

// Reads checkPoints.cfg and takes its font unless one is held already.
void initialise();
// Forgets the times (the next level's checkpoints are other triggers) and lets the font go.
void shutdown();
// The water reached the checkpoint `trigger` at `levelTimeMs` of the level clock.
void checkpointReached(const Trigger& trigger, uint32_t levelTimeMs);

// What to draw now, `realSeconds` after the previous call: the text and its colour (its
// alpha faded), or nothing. `levelTimeMs` is the running level time the first display shows.
struct Display {
  std::string text;
  Colour colour;
};
std::optional<Display> advanceDisplay(float realSeconds, uint32_t levelTimeMs);

// Advances the fades by the real time since the previous call and keeps what advanceDisplay
// gives for the running level time: once per drawn frame, before the drawing. Nothing is
// shown while no font is loaded.
void updateDisplay();
// The same, `realSeconds` after the previous update: the clock for the fades made explicit.
void updateDisplayAfter(float realSeconds);
const std::optional<Display>& shownDisplay();

// "MM:SS:CC" of `ms`, hours dropped.
std::string timeText(uint32_t ms);

// 0 hidden, 1 the time fading in, 2 fading out, 3 the difference fading in, 4 fading out.
int32_t phase();
// Checkpoints reached since the level was loaded.
int32_t reachedCount();
const Settings& settings();
// The font the text is drawn in ("DEFAULT_FONT" standing in for a missing file); null
// before initialise and after shutdown.
const TextureHandle* font();

}  // namespace checkpoint_times
