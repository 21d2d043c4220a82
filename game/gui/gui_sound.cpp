#include "game/gui/gui_sound.h"

std::unique_ptr<sound::SoundInstance> stoppedSound(std::string_view fileName) {
  auto sound = std::make_unique<sound::SoundInstance>(fileName);
  sound->stop();
  return sound;
}

void playFromStart(sound::SoundInstance* sound) {
  if (!sound) return;
  sound->rewind();
  sound->setVolume(1.0f);
  sound->play();
}
