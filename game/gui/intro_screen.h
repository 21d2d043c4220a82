#pragma once
// The intro: "vid\intro.avi" played once at start-up with "vid\intro.ogg" as its music, in a
// loop of its own outside the menus. Any key or mouse button ends it at once, music and all;
// closing the window ends it and, since the window is gone, the game with it. A video that
// can't be played counts as finished, so only the music's start and stop happen.

#include <cstdint>
#include <string>
#include <string_view>

#include "game/platform/video_player.h"
#include "game/platform/window.h"

inline constexpr std::string_view kIntroVideoFile = "vid\\intro.avi";
inline constexpr std::string_view kIntroMusicFile = "vid\\intro.ogg";

class IntroScreen : public window::GLWindowEventListener {
 public:
  explicit IntroScreen(std::string_view videoFile = kIntroVideoFile,
                       std::string_view musicFile = kIntroMusicFile);

  // Plays until the video ends, the player skips it or the window closes; the window's
  // listener is the screen's meanwhile and the previous one afterwards.
  void run();

  void onMouseDown(int32_t x, int32_t y, int32_t button) override;
  void onKeyDown(int32_t virtualKey) override;
  void onClose() override;

  bool isPlaying() const { return playing_; }
  const VideoPlayer& video() const { return video_; }

 private:
  VideoPlayer video_;
  std::string musicFile_;
  bool playing_ = false;
};
