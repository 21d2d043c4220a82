#include "game/platform/sound_console.h"

#include "common/command_registry.h"
#include "common/console_output.h"
#include "game/platform/sound_list.h"

namespace sound {
namespace {

const console::NamedCommand kSoundCommands[] = {
    {"SoundList", printSoundList},
    {"SoundMemory", printSoundMemory},
};

}  // namespace

void startSoundList() {
  clearSoundList();
  console::addCommands(kSoundCommands);
}

void stopSoundList() {
  console::removeCommands(kSoundCommands);
}

void printSoundList() {
  console::printHeading("Sounds in use");
  for (const std::string& line : soundListing()) {
    console::print('\n');
    console::print(line);
  }
}

void printSoundMemory() {
  console::printHeading("Sound memory used");
  console::print(soundMemory());
  console::print(" bytes.");
}

}  // namespace sound
