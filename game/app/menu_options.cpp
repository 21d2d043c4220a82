// The options menu: music and sound on or off, their loudness, high contrast and reduced
// motion.
#include <string>
#include <vector>

#include "common/registry_key.h"
#include "game/app/menu_commands.h"
#include "game/app/menus.h"
#include "game/gui/gui_option_chooser.h"
#include "game/platform/music.h"
#include "game/platform/sound_list.h"
#include "game/platform/virtual_keys.h"
#include "game/simulation/player_settings.h"
#include "game/world/camera.h"

namespace {

constexpr size_t kOff = 0;
constexpr size_t kOn = 1;
constexpr uint8_t kFullMusicVolume = 255;

const char* preferenceText(bool on) {
  return on ? "1" : "0";
}

// "0" to "10", so a volume's index is its value.
std::vector<std::string> volumeSteps() {
  std::vector<std::string> steps;
  for (int volume = 0; volume <= player_settings::kMaxVolume; ++volume)
    steps.push_back(std::to_string(volume));
  return steps;
}

// The choices take effect and are stored for the next start.
void applyOnOff(const GuiOptionChooser& music, const GuiOptionChooser& sound) {
  const bool soundOn = sound.selectedIndex() == kOn;
  const bool musicOn = music.selectedIndex() == kOn;
  sound::setEffectsVolume(soundOn ? 1.0f : 0.0f);
  music::setMusicVolume(musicOn ? kFullMusicVolume : 0);
  createKeyPath(kPreferencesKeyPath)
      .writeStrings({{"Music", preferenceText(musicOn)}, {"Sound", preferenceText(soundOn)}});
}

// Each widget's Down and Tab lead to the next, Up to the one before.
void chainVertically(const std::vector<GuiWidget*>& widgets) {
  for (size_t i = 0; i + 1 < widgets.size(); ++i) {
    widgets[i]->setKeyNavigation(vk::kDown, widgets[i + 1]);
    widgets[i]->setKeyNavigation(vk::kTab, widgets[i + 1]);
    widgets[i + 1]->setKeyNavigation(vk::kUp, widgets[i]);
  }
}

}  // namespace

Menu_Options::Menu_Options() {
  MenuBuilder menu(*this, "cfg\\menu_options.cfg");
  menu.addLogo();
  const float labelSize = menu.own().getFloat("labelFontSizes");
  menu.addLabel("musicLabel", "Music", labelSize);
  menu.addLabel("soundLabel", "Sound", labelSize);
  menu.addLabel("highContrastLabel", "High contrast", labelSize);
  menu.addLabel("reducedMotionLabel", "Reduced motion", labelSize);
  menu.addLabel("musicVolumeLabel", "Music volume", labelSize);
  menu.addLabel("soundVolumeLabel", "Sound volume", labelSize);
  musicChooser_ = menu.addChooser("musicChooser", {"off", "on"});
  soundChooser_ = menu.addChooser("soundChooser", {"off", "on"});
  highContrastChooser_ = menu.addChooser("highContrastChooser", {"off", "on"});
  reducedMotionChooser_ = menu.addChooser("reducedMotionChooser", {"off", "on"});
  musicVolumeChooser_ = menu.addChooser("musicVolumeChooser", volumeSteps());
  soundVolumeChooser_ = menu.addChooser("soundVolumeChooser", volumeSteps());
  GuiWidget* back = menu.addButton("backButton", [this] {
    applyOnOff(*musicChooser_, *soundChooser_);
    player_settings::setHighContrast(highContrastChooser_->selectedIndex() == kOn);
    player_settings::setReducedMotion(reducedMotionChooser_->selectedIndex() == kOn);
    player_settings::setMusicVolume(int(musicVolumeChooser_->selectedIndex()));
    player_settings::setSoundVolume(int(soundVolumeChooser_->selectedIndex()));
    return goBack();
  });
  // The keys between music, sound and back stay as they always were; the newer choosers sit
  // above them, reached by Up from the music chooser.
  chainVertically({highContrastChooser_, reducedMotionChooser_, musicVolumeChooser_,
                   soundVolumeChooser_, musicChooser_, soundChooser_, back});
  back->setKeyNavigation(vk::kTab, musicChooser_);
  setDefaultWidget(back);
}

void Menu_Options::onShow() {
  soundChooser_->setSelectedIndex(sound::effectsVolume() == 0.0f ? kOff : kOn);
  musicChooser_->setSelectedIndex(music::getMusicVolume() == 0 ? kOff : kOn);
  highContrastChooser_->setSelectedIndex(player_settings::highContrast() ? kOn : kOff);
  reducedMotionChooser_->setSelectedIndex(camera::reducedMotion() ? kOn : kOff);
  musicVolumeChooser_->setSelectedIndex(size_t(player_settings::musicVolume()));
  soundVolumeChooser_->setSelectedIndex(size_t(player_settings::soundVolume()));
  GuiScreen::onShow();
}
