#include "launcher/launcher_choices.h"

#include <algorithm>

#include "common/registry_key.h"
#include "common/text.h"

namespace {

constexpr int32_t kFullscreenNo = 1;
constexpr int32_t kDefaultDetail = 2;
constexpr int32_t kTrueColourBits = 32;
// The sound mode's options: both on, music off, sound off, both off.
constexpr std::array<std::string_view, 4> kSoundModeOptions = {
    "-music 1 -sound 1 ", "-music 0 -sound 1 ", "-music 1 -sound 0 ", "-music 0 -sound 0 "};

std::optional<int32_t> storedInteger(const RegistryKey& key, std::string_view name) {
  const std::string text = key.readString(name);
  if (!key.hasValue(name) || !isInteger(text)) return std::nullopt;
  return toInteger(text);
}

std::string sizeText(int32_t width, int32_t height) {
  return std::to_string(static_cast<uint32_t>(width)) + " x " +
         std::to_string(static_cast<uint32_t>(height));
}

// The index of the item naming `width` x `height`; 0 ("Same as desktop") when none does.
int32_t resolutionIndex(std::span<const std::string> resolutions, int32_t width, int32_t height) {
  const std::string wanted = sizeText(width, height);
  for (size_t i = 1; i < resolutions.size(); ++i)
    if (resolutions[i] == wanted) return static_cast<int32_t>(i);
  return 0;
}

}  // namespace

std::vector<std::string> resolutionItems(std::span<const DisplayMode> modes) {
  std::vector<std::string> items{std::string(kSameAsDesktop)};
  for (const DisplayMode& mode : modes) {
    if (mode.bitsPerPixel != kTrueColourBits) continue;
    std::string text = sizeText(mode.width, mode.height);
    if (std::find(items.begin(), items.end(), text) == items.end()) items.push_back(std::move(text));
  }
  return items;
}

StoredPreferences readStoredPreferences() {
  const RegistryKey key = openKeyPath(kPreferencesKeyPath);
  return {storedInteger(key, "DetailLevel"), storedInteger(key, "Fullscreen"),
          storedInteger(key, "Sound"),       storedInteger(key, "Music"),
          storedInteger(key, "ResolutionX"), storedInteger(key, "ResolutionY"),
          storedInteger(key, "ReducedMotion"), storedInteger(key, "HighContrast")};
}

LauncherChoices preselect(const StoredPreferences& stored, std::span<const std::string> resolutions,
                          ScreenSize desktop) {
  LauncherChoices choices;
  if (stored.detailLevel)
    choices.detail = std::clamp(*stored.detailLevel, 0, int32_t(kDetailItems.size()) - 1);
  if (stored.fullscreen) choices.fullscreen = *stored.fullscreen == 0 ? kFullscreenNo : 0;
  if (stored.sound && stored.music)
    choices.soundMode = (*stored.music == 0 ? 1 : 0) + (*stored.sound == 0 ? 2 : 0);
  if (stored.reducedMotion) choices.reducedMotion = *stored.reducedMotion != 0;
  if (stored.highContrast) choices.highContrast = *stored.highContrast != 0;
  if (stored.resolutionX && stored.resolutionY) {
    const int32_t x = *stored.resolutionX, y = *stored.resolutionY;
    const bool isDesktop = x == desktop.width && y == desktop.height;
    choices.resolution = isDesktop ? 0 : resolutionIndex(resolutions, x, y);
  }
  return choices;
}

std::string commandLine(const LauncherChoices& choices, std::span<const std::string> resolutions,
                        ScreenSize desktop) {
  const bool knownDetail = choices.detail >= 0 && choices.detail < int32_t(kDetailItems.size());
  std::string line = "-detail " + std::to_string(knownDetail ? choices.detail : kDefaultDetail) + " ";
  line += kSoundModeOptions[size_t(std::clamp(choices.soundMode, 0, 3))];
  line += choices.fullscreen == kFullscreenNo ? "-fullscreen 0 " : "-fullscreen 1 ";
  line += choices.reducedMotion ? "-reducedmotion 1 " : "-reducedmotion 0 ";
  line += choices.highContrast ? "-highcontrast 1 " : "-highcontrast 0 ";
  if (choices.resolution > 0 && size_t(choices.resolution) < resolutions.size()) {
    const std::vector<std::string> words = splitWords(resolutions[size_t(choices.resolution)]);
    if (words.size() >= 3) line += "-resolution " + words[0] + " " + words[2] + " ";
  } else if (choices.resolution == 0 && choices.fullscreen != kFullscreenNo && desktop.width > 0 &&
             desktop.height > 0) {
    line += "-resolution " + std::to_string(desktop.width) + " " +
            std::to_string(desktop.height) + " ";
  }
  return line;
}
