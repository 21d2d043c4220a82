#include "game/app/startup_settings.h"

#include <algorithm>
#include <vector>

#include "common/registry_key.h"
#include "common/text.h"

namespace {

using Tokens = std::vector<std::string>;

int32_t clampDetail(int32_t level) {
  return std::clamp(level, 0, 5);
}

void storePreference(std::string_view name, std::string_view text) {
  RegistryKey key = createKeyPath(kPreferencesKeyPath);
  key.writeString(name, text);
}

std::string_view switchText(std::string_view value) {
  return toInteger(value) != 0 ? "1" : "0";
}

// Each option reads the token(s) after it, starting at `value`, and returns nothing.
void detailOption(const Tokens& tokens, size_t value, StartupSettings& settings) {
  if (!isInteger(tokens[value])) return;
  settings.detailLevel = clampDetail(toInteger(tokens[value]));
  storePreference("DetailLevel", std::to_string(settings.detailLevel));
}

void resolutionOption(const Tokens& tokens, size_t value, StartupSettings& settings) {
  if (value + 1 >= tokens.size()) return;
  const std::string& width = tokens[value];
  const std::string& height = tokens[value + 1];
  if (!isInteger(width) || !isInteger(height)) return;
  // A size below one pixel is raised to one; a negative one would otherwise wrap around to
  // a window four billion pixels wide.
  settings.resolutionX = uint32_t(std::max(toInteger(width), 1));
  settings.resolutionY = uint32_t(std::max(toInteger(height), 1));
  // Both in one write: a crash between two writes would leave a size that was never asked for,
  // and the next start would open it.
  createKeyPath(kPreferencesKeyPath)
      .writeStrings({{"ResolutionX", std::to_string(settings.resolutionX)},
                     {"ResolutionY", std::to_string(settings.resolutionY)}});
}

void mapOption(const Tokens& tokens, size_t value, StartupSettings& settings) {
  settings.startMap = tokens[value];
  settings.mapGiven = true;
}

// A console script to run once the game has started; for tests and bug reports, never stored.
void execOption(const Tokens& tokens, size_t value, StartupSettings& settings) {
  settings.execFile = tokens[value];
}

void fullscreenOption(const Tokens& tokens, size_t value, StartupSettings& settings) {
  if (!isInteger(tokens[value])) return;
  settings.fullscreen = toInteger(tokens[value]) != 0;
  storePreference("Fullscreen", switchText(tokens[value]));
}

// Sound and music are switched only through their stored preference, which their own
// start-ups read.
void soundOption(const Tokens& tokens, size_t value, StartupSettings&) {
  if (isInteger(tokens[value])) storePreference("Sound", switchText(tokens[value]));
}

void musicOption(const Tokens& tokens, size_t value, StartupSettings&) {
  if (isInteger(tokens[value])) storePreference("Music", switchText(tokens[value]));
}

// Reduced motion and high contrast are player settings, which the game reads from the
// preferences.
void reducedMotionOption(const Tokens& tokens, size_t value, StartupSettings&) {
  if (isInteger(tokens[value])) storePreference("ReducedMotion", switchText(tokens[value]));
}

void highContrastOption(const Tokens& tokens, size_t value, StartupSettings&) {
  if (isInteger(tokens[value])) storePreference("HighContrast", switchText(tokens[value]));
}

struct Option {
  std::string_view name;
  void (*apply)(const Tokens&, size_t value, StartupSettings&);
};

constexpr Option kOptions[] = {
    {"-DETAIL", detailOption}, {"-RESOLUTION", resolutionOption},
    {"-MAP", mapOption},       {"-FULLSCREEN", fullscreenOption},
    {"-SOUND", soundOption},   {"-MUSIC", musicOption},
    {"-EXEC", execOption},     {"-REDUCEDMOTION", reducedMotionOption},
    {"-HIGHCONTRAST", highContrastOption},
};

// Both resolution values must be stored, be integers and be above 1, or neither is taken.
void readResolution(const RegistryKey& key, StartupSettings& settings) {
  if (!key.hasValue("ResolutionX") || !key.hasValue("ResolutionY")) return;
  const std::string width = key.readString("resolutionX");
  const std::string height = key.readString("resolutionY");
  if (!isInteger(width) || !isInteger(height)) return;
  if (toInteger(width) <= 1 || toInteger(height) <= 1) return;
  settings.resolutionX = uint32_t(toInteger(width));
  settings.resolutionY = uint32_t(toInteger(height));
}

}  // namespace

void readPreferences(StartupSettings& settings) {
  const RegistryKey key = createKeyPath(kPreferencesKeyPath);
  if (key.hasValue("DetailLevel")) {
    const std::string detail = key.readString("DetailLevel");
    if (isInteger(detail)) settings.detailLevel = clampDetail(toInteger(detail));
  }
  readResolution(key, settings);
  if (key.hasValue("Fullscreen")) {
    const std::string fullscreen = key.readString("Fullscreen");
    if (isInteger(fullscreen)) settings.fullscreen = toInteger(fullscreen) != 0;
  }
}

void parseCommandLine(std::string_view commandLine, StartupSettings& settings) {
  const Tokens tokens = splitWords(commandLine);
  // The walk goes on from an option's value token, which is itself examined as an option:
  // "-MAP -FULLSCREEN 0" takes "-FULLSCREEN" as the map and also turns full screen off.
  for (size_t position = 0; position < tokens.size(); ++position) {
    const std::string name = upperCased(tokens[position]);
    const size_t value = position + 1;
    if (value >= tokens.size()) break;
    for (const Option& option : kOptions) {
      if (name == option.name) option.apply(tokens, value, settings);
    }
  }
}

// Levels 0 and 1 make the textures smaller; 3 to 5 ask for multisampling, the most samples
// first, with anisotropic filtering; level 2 leaves everything as the window and the
// textures start.
DetailPlan detailPlan(int32_t detailLevel) {
  switch (detailLevel) {
    case 0: return {{}, 2, std::nullopt};
    case 1: return {{}, 1, std::nullopt};
    case 3: return {{2}, std::nullopt, 8};
    case 4: return {{4, 2}, std::nullopt, 4};
    case 5: return {{8, 4, 2}, std::nullopt, 2};
    default: return {};
  }
}
