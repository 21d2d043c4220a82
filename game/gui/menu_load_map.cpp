// The level chooser: the level files of the "lev" folder, one of them loaded on request.
#include "common/data_path.h"
#include "game/core/game.h"
#include "game/gui/gui_option_chooser.h"
#include "game/gui/menu_commands.h"
#include "game/gui/menus.h"
#include "game/platform/virtual_keys.h"

namespace {

constexpr std::string_view kLevelFolder = "lev\\";
constexpr std::string_view kLevelPattern = "lev\\*.swah";

// The chosen level, named as the chooser listed it: from the folder it was listed in.
bool loadChosenLevel(const GuiOptionChooser& chooser) {
  Game::requestLoad(std::string(kLevelFolder) + chooser.selectedOption());
  return true;
}

}  // namespace

Menu_LoadMap::Menu_LoadMap() {
  MenuBuilder menu(*this, "cfg\\menu_loadMap.cfg");
  menu.addLogo();
  menu.addLabel("mapLabel", "Choose Map to load", menu.own().getFloat("labelFontSizes"));
  GuiOptionChooser* chooser = menu.addChooser("mapChooser", findMatchingFiles(kLevelPattern));
  // The first level is the one the game starts with, so the chooser offers the next.
  chooser->setSelectedIndex(1);
  GuiWidget* load = menu.addButton("loadButton", [chooser] { return loadChosenLevel(*chooser); });
  GuiWidget* back = menu.addButton("backButton", goBack);
  load->setKeyNavigation(vk::kDown, back);
  load->setKeyNavigation(vk::kTab, back);
  back->setKeyNavigation(vk::kUp, load);
  back->setKeyNavigation(vk::kTab, load);
  setDefaultWidget(back);
}
