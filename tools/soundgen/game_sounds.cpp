#include "tools/soundgen/game_sounds.h"

#include <string>

#include "tools/soundgen/effects.h"
#include "tools/soundgen/jingles.h"

namespace {

std::string sizedName(const char* stem, int size, int take) {
  return std::string("snd/") + stem + "_" + std::to_string(size) + "_" + std::to_string(take) +
         ".wav";
}

}  // namespace

std::vector<GameSound> makeGameEffects() {
  std::vector<GameSound> sounds;
  sounds.push_back({"snd/default.wav", makeDefaultBlip(), false});
  sounds.push_back({"snd/finish.wav", makeFinishJingle(), false});
  sounds.push_back({"snd/dead.wav", makeDeadJingle(), false});
  for (int size = 1; size <= 3; ++size) {
    for (int take = 1; take <= 4; ++take) {
      sounds.push_back({sizedName("water_splash", size, take), makeSplash(size, take), false});
      sounds.push_back({sizedName("ice_crack", size, take), makeIceCrack(size, take), false});
    }
  }
  sounds.push_back({"snd/water_ambient.wav", makeWaterAmbient(), true});
  sounds.push_back({"snd/ice_freeze.wav", makeIceFreeze(), true});
  sounds.push_back({"snd/ice_scrape.wav", makeIceScrape(), true});
  sounds.push_back({"snd/steam_hiss.wav", makeSteamHiss(), true});
  sounds.push_back({"snd/steam_ambient.wav", makeSteamAmbient(), true});
  return sounds;
}
