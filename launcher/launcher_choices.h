#pragma once
// What the launcher offers and what it makes of it: the items of its four lists, the choices
// pre-selected from the stored preferences, and the game's command line built from the
// choices. Plain values, so the rules are tested without a window.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kSameAsDesktop = "Same as desktop";
inline constexpr std::array<std::string_view, 2> kFullscreenItems = {"Yes", "No"};
inline constexpr std::array<std::string_view, 6> kDetailItems = {
    "Very low", "Low", "Normal", "High", "Very high", "Best"};
inline constexpr std::array<std::string_view, 4> kSoundModeItems = {
    "Sound & Music", "Sound only", "Music only", "None"};

struct DisplayMode {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 32;
  int32_t refreshRate = 0;
};

struct ScreenSize {
  int32_t width = 0;
  int32_t height = 0;
};

// "Same as desktop", then "W x H" for each 32-bit mode in the order given, each text once
// (modes that differ only in refresh rate are listed once).
std::vector<std::string> resolutionItems(std::span<const DisplayMode> modes);

// The index chosen in each list.
struct LauncherChoices {
  int32_t resolution = 0;  // 0 is "Same as desktop"
  int32_t fullscreen = 0;  // 0 "Yes", 1 "No"
  int32_t detail = 2;      // the detail level, 0 to 5
  int32_t soundMode = 0;   // 0 both, 1 sound only, 2 music only, 3 none
  bool reducedMotion = false;  // the switch: no camera shake, zoom punches or fly-in
  bool highContrast = false;   // the switch: water and text in colours that stand out
};

// The preference values the launcher reads; each only when present and an integer.
struct StoredPreferences {
  std::optional<int32_t> detailLevel{};
  std::optional<int32_t> fullscreen{};
  std::optional<int32_t> sound{};
  std::optional<int32_t> music{};
  std::optional<int32_t> resolutionX{};
  std::optional<int32_t> resolutionY{};
  std::optional<int32_t> reducedMotion{};
  std::optional<int32_t> highContrast{};
};

// From the shared preference store, which the launcher never writes.
StoredPreferences readStoredPreferences();

// The initial choices with the stored preferences applied: the detail level clamped to the
// list; "Fullscreen" 0 for "No"; "Sound" and "Music" only as a pair; a stored size selects
// its item, unless it is the desktop's size, which shows "Same as desktop"; "ReducedMotion"
// or "HighContrast" other than 0 turns its switch on.
LauncherChoices preselect(const StoredPreferences& stored, std::span<const std::string> resolutions,
                          ScreenSize desktop);

// The game's options for the choices, each ending with a blank:
// "-detail D -music M -sound S -fullscreen F -reducedmotion R -highcontrast H " and, for a
// chosen size,
// "-resolution W H ". "Same as desktop" in full screen names the desktop's size, since the
// game would otherwise take its stored or default size; in a window it names none.
std::string commandLine(const LauncherChoices& choices, std::span<const std::string> resolutions,
                        ScreenSize desktop);
