#pragma once
// Every sound file the data folder ships: the effects the configuration files name and the
// level music. The names here are the ones in cfg/game.cfg, cfg/game_sfx.cfg and the menu
// files (cfg/menu_*.cfg).

#include <string>
#include <vector>

#include "tools/soundgen/pcm.h"

struct GameSound {
  std::string fileName;  // below the data folder, with forward slashes ("snd/finish.wav")
  Pcm pcm;
  bool looped = false;  // played looping: starts and ends at a seamless loop point
};

// The effects, written as WAV files, in a fixed order.
std::vector<GameSound> makeGameEffects();

// The level music, written as Ogg Vorbis.
inline constexpr const char* kThemeFileName = "music/theme.ogg";
// Vorbis quality for the music: small files, good enough for soft synthesised music.
inline constexpr float kThemeQuality = 0.1f;
