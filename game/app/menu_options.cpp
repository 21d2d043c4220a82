// The options menu: music and sound on or off.
#include "common/registry_key.h"
#include "game/app/menu_commands.h"
#include "game/app/menus.h"
#include "game/gui/gui_option_chooser.h"
#include "game/platform/music.h"
#include "game/platform/sound_list.h"
#include "game/platform/virtual_keys.h"

namespace {

constexpr size_t kOff = 0;
constexpr size_t kOn = 1;
constexpr uint8_t kFullMusicVolume = 255;

const char* preferenceText(bool on) {
  return on ? "1" : "0";
}

// The choices take effect and are stored for the next start, then the menu goes back.
bool applyAndGoBack(const GuiOptionChooser& music, const GuiOptionChooser& sound) {
  const bool soundOn = sound.selectedIndex() == kOn;
  const bool musicOn = music.selectedIndex() == kOn;
  sound::setEffectsVolume(soundOn ? 1.0f : 0.0f);
  music::setMusicVolume(musicOn ? kFullMusicVolume : 0);
  createKeyPath(kPreferencesKeyPath)
      .writeStrings({{"Music", preferenceText(musicOn)}, {"Sound", preferenceText(soundOn)}});
  return goBack();
}

}  // namespace

Menu_Options::Menu_Options() {
  MenuBuilder menu(*this, "cfg\\menu_options.cfg");
  menu.addLogo();
  const float labelSize = menu.own().getFloat("labelFontSizes");
  menu.addLabel("musicLabel", "Music", labelSize);
  menu.addLabel("soundLabel", "Sound", labelSize);
  musicChooser_ = menu.addChooser("musicChooser", {"off", "on"});
  soundChooser_ = menu.addChooser("soundChooser", {"off", "on"});
  GuiWidget* back = menu.addButton("backButton", [this] {
    return applyAndGoBack(*musicChooser_, *soundChooser_);
  });
  musicChooser_->setKeyNavigation(vk::kDown, soundChooser_);
  musicChooser_->setKeyNavigation(vk::kTab, soundChooser_);
  soundChooser_->setKeyNavigation(vk::kUp, musicChooser_);
  soundChooser_->setKeyNavigation(vk::kDown, back);
  soundChooser_->setKeyNavigation(vk::kTab, back);
  back->setKeyNavigation(vk::kUp, soundChooser_);
  back->setKeyNavigation(vk::kTab, musicChooser_);
  setDefaultWidget(back);
}

void Menu_Options::onShow() {
  soundChooser_->setSelectedIndex(sound::effectsVolume() == 0.0f ? kOff : kOn);
  musicChooser_->setSelectedIndex(music::getMusicVolume() == 0 ? kOff : kOn);
  GuiScreen::onShow();
}
