// Every looping source's volume follows its distance to the camera. A source that goes out
// of earshot is stopped rather than left playing silently, and when it comes back it takes
// the play position of a playing source of the same file, so that identical loops (a row of
// waterfalls) never drift apart into an echo.

#include "game/entities/sound_sources.h"

#include <algorithm>
#include <vector>

#include "common/command_registry.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/world/camera.h"

namespace sound_sources {
namespace {

SourceMap looping_;
SourceMap oneShot_;
bool positional_ = true;
bool drawSources_ = false;
PlayState lastPlay_;

template <typename Action>
void forEachSource(Action action) {
  for (auto* map : {&looping_, &oneShot_})
    for (auto& [id, sources] : *map)
      for (SoundSource& source : sources) action(source);
}

template <typename Action>
void forEachOfId(uint32_t id, Action action) {
  for (auto* map : {&looping_, &oneShot_}) {
    const auto found = map->find(id);
    if (found == map->end()) continue;
    for (SoundSource& source : found->second) action(source);
  }
}

// Walks the other looping sources in map order up to the first silent one; each playing
// source of the same file hands its play position over.
void alignWithOtherLoops(SoundSource& source) {
  for (auto& [id, sources] : looping_) {
    for (SoundSource& other : sources) {
      if (&other == &source) continue;
      if (!other.sound->isPlaying()) return;
      if (other.soundName == source.soundName) source.sound->syncPosition(*other.sound);
    }
  }
}

float volumeAtCamera(const SoundSource& source) {
  if (source.strength <= 0.0f) return 0.0f;
  return 1.0f - distance(source.position, camera::centre()) / source.strength;
}

void updateByDistance(const PlayState& play) {
  const bool playing = !play.paused && !play.menuShown && !play.levelFinished;
  for (auto& [id, sources] : looping_) {
    for (SoundSource& source : sources) {
      if (source.stopped) continue;
      const float volume = volumeAtCamera(source);
      sound::SoundInstance& sound = *source.sound;
      if (volume >= kAudibleVolume && playing) {
        // The volume goes first so a source coming into earshot never starts loud.
        sound.setVolume(volume);
        if (!sound.isPlaying()) {
          alignWithOtherLoops(source);
          sound.playLooped();
        }
      } else if (sound.isPlaying()) {
        sound.stop();
        alignWithOtherLoops(source);
      }
    }
  }
}

// With positional sound off the level is only backdrop to the menu: every loop at full
// volume while the menu is up.
void updateBackdrop(const PlayState& play) {
  const bool heard = play.menuShown && !play.paused && !play.levelFinished;
  for (auto& [id, sources] : looping_) {
    for (SoundSource& source : sources) {
      if (heard) {
        source.sound->setVolume(1.0f);
        source.sound->playLooped();
      } else {
        source.sound->stop();
      }
    }
  }
}

// ---- Console entries -------------------------------------------------------------------

void printCreateUsage() {
  console::print("\nUSAGE: SoundSourceCreate ");
  console::print("< x : number > < y : number > ");
  console::print("< strenght : number > ");
  console::print("< looping : true OR false > ");
  console::print("< id : integer > ");
  console::print("< fileName > ");
}

// "SoundSourceCreate x y strength looping id fileName". A source made by hand is meant to be
// heard at once, so it is not held silent for a trigger.
void soundSourceCreateCommand(const std::string& arguments) {
  const std::vector<std::string> words = splitWords(arguments);
  const bool valid = words.size() == 6 && isNumber(words[0]) && isNumber(words[1]) &&
                     isNumber(words[2]) && isBoolean(words[3]) && isInteger(words[4]);
  if (!valid) {
    printCreateUsage();
    return;
  }
  SoundSource source;
  source.position = {toNumber(words[0]), toNumber(words[1])};
  source.strength = toNumber(words[2]);
  source.looping = toBoolean(words[3]);
  source.id = static_cast<uint32_t>(toInteger(words[4]));
  source.soundName = words[5];
  source.stopped = false;
  addSource(std::move(source));
}

// Ids, not sources: two sources sharing an id count once.
int32_t soundSourceCountCommand() {
  return static_cast<int32_t>(looping_.size() + oneShot_.size());
}

bool soundSourceDrawVariable(bool value, bool set) {
  return console::variableValue(drawSources_, value, set);
}

// Registered by initialise and removed by shutdown, both from this table.
const console::NamedCommand kEntries[] = {
    {"SoundSourceCreate", soundSourceCreateCommand, console::InReplay::kPlayed},
    {"SoundSourceCount", soundSourceCountCommand},
    {"SoundSourceDraw", soundSourceDrawVariable},
};

}  // namespace

void initialise() {
  shutdown();
  console::print("\nInitialising sound source manager..");
  drawSources_ = false;
  positional_ = true;
  lastPlay_ = {};
  console::addCommands(kEntries);
}

void shutdown() {
  console::print("\nShutting down sound source manager..");
  looping_.clear();
  oneShot_.clear();
  console::removeCommands(kEntries);
}

void addSource(SoundSource source) {
  auto& map = source.looping ? looping_ : oneShot_;
  SoundSource& placed = map[source.id].emplace_back(std::move(source));
  placed.sound.emplace(placed.soundName);
  if (placed.looping && !placed.stopped) placed.sound->playLooped();
}

void resetSources() {
  drawSources_ = false;
  positional_ = true;
  forEachSource([](SoundSource& source) {
    source.stopped = true;
    source.sound->stop();
    source.sound->rewind();
  });
}

void startUntriggered(std::span<const uint32_t> triggeredIds) {
  for (auto& [id, sources] : looping_) {
    if (std::find(triggeredIds.begin(), triggeredIds.end(), id) != triggeredIds.end()) continue;
    for (SoundSource& source : sources) {
      source.sound->setVolume(0.0f);
      source.sound->playLooped();
      source.stopped = false;
    }
  }
}

void playById(uint32_t id) {
  forEachOfId(id, [](SoundSource& source) {
    source.stopped = false;
    if (source.looping)
      source.sound->playLooped();
    else
      source.sound->play();
  });
}

void stopById(uint32_t id) {
  forEachOfId(id, [](SoundSource& source) {
    source.stopped = true;
    source.sound->stop();
  });
}

void stopAll() {
  forEachSource([](SoundSource& source) { source.sound->stop(); });
}

void update(const PlayState& play) {
  lastPlay_ = play;
  if (positional_)
    updateByDistance(play);
  else
    updateBackdrop(play);
}

void update() {
  update(lastPlay_);
}

void setPositional(bool positional) {
  positional_ = positional;
}
bool isPositional() {
  return positional_;
}
bool drawFlag() {
  return drawSources_;
}

const SourceMap& loopingSources() {
  return looping_;
}
const SourceMap& oneShotSources() {
  return oneShot_;
}

}  // namespace sound_sources
