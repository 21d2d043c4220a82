#include "tools/soundgen/game_sounds.h"

#include <string>

#include "tools/soundgen/effects.h"
#include "tools/soundgen/jingles.h"
#include "tools/soundgen/menu_sounds.h"

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
  sounds.push_back({"snd/highscore.wav", makeHighScoreFanfare(), false});
  sounds.push_back({"snd/menu_loop.wav", makeMenuLoop(), true});
  sounds.push_back({"snd/menu_over.wav", makeButtonOver(), false});
  sounds.push_back({"snd/menu_click.wav", makeButtonClick(), false});
  sounds.push_back({"snd/chooser_over.wav", makeChooserOver(), false});
  sounds.push_back({"snd/chooser_click.wav", makeChooserClick(), false});
  sounds.push_back({"snd/ramp_water.wav", makeRampUp(RampKind::Water), false});
  sounds.push_back({"snd/ramp_time.wav", makeRampUp(RampKind::Time), false});
  sounds.push_back({"snd/ramp_total.wav", makeRampUp(RampKind::Total), false});
  return sounds;
}
