#pragma once
// The widgets' sounds: made silent, played from their start at full volume when the widget
// answers the player.

#include <memory>
#include <string_view>

#include "game/platform/sound_instance.h"

// A new instance of the file, stopped until the widget plays it.
std::unique_ptr<sound::SoundInstance> stoppedSound(std::string_view fileName);
// Rewound, at volume 1, and played once; nothing without a sound.
void playFromStart(sound::SoundInstance* sound);
