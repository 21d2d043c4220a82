// The level chooser: the level files of the "lev" folder, listed by their readable names,
// one of them loaded on request.
#include "common/data_path.h"
#include "game/app/game.h"
#include "game/app/menu_commands.h"
#include "game/app/menus.h"
#include "game/gui/gui_option_chooser.h"
#include "game/level/level_name.h"
#include "game/platform/virtual_keys.h"

namespace {

constexpr std::string_view kLevelFolder = "lev\\";
constexpr std::string_view kLevelPattern = "lev\\*.swah";

// The file of the chosen level, from the folder it was listed in.
bool loadChosenLevel(const GuiOptionChooser& chooser, const std::vector<std::string>& files) {
  if (chooser.selectedIndex() < files.size())
    Game::requestLoad(std::string(kLevelFolder) + files[chooser.selectedIndex()]);
  return true;
}

std::vector<std::string> readableNames(const std::vector<std::string>& files) {
  std::vector<std::string> names;
  for (const std::string& file : files) names.push_back(readableLevelName(file));
  return names;
}

}  // namespace

Menu_LoadMap::Menu_LoadMap() {
  MenuBuilder menu(*this, "cfg\\menu_loadMap.cfg");
  menu.addLogo();
  menu.addLabel("mapLabel", "Choose Map to load", menu.own().getFloat("labelFontSizes"));
  std::vector<std::string> files = findMatchingFiles(kLevelPattern);
  GuiOptionChooser* chooser = menu.addChooser("mapChooser", readableNames(files));
  // The first level is the one the game starts with, so the chooser offers the next.
  chooser->setSelectedIndex(1);
  GuiWidget* load = menu.addButton(
      "loadButton", [chooser, files = std::move(files)] { return loadChosenLevel(*chooser, files); });
  GuiWidget* back = menu.addButton("backButton", goBack);
  load->setKeyNavigation(vk::kDown, back);
  load->setKeyNavigation(vk::kTab, back);
  back->setKeyNavigation(vk::kUp, load);
  back->setKeyNavigation(vk::kTab, load);
  setDefaultWidget(back);
}
