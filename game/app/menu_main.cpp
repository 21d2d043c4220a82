// The main menu and the in-game menu: the same column of buttons, the first starting or
// resuming play.
#include "game/app/menu_commands.h"
#include "game/app/menus.h"

namespace {

// The buttons both menus share after their first.
std::vector<GuiWidget*> addCommonButtons(MenuBuilder& menu, std::vector<GuiWidget*> order) {
  order.push_back(menu.addButton("loadButton", openMenu(screen_flow::kLoadMapMenu)));
  order.push_back(menu.addButton("optionsButton", openMenu(screen_flow::kOptionsMenu)));
  order.push_back(menu.addButton("instructionsButton", openMenu(screen_flow::kInstructionsMenu)));
  order.push_back(menu.addButton("highScoresButton", openMenu(screen_flow::kHighScoresMenu)));
  order.push_back(menu.addButton("creditsButton", openMenu(screen_flow::kCreditsMenu)));
  order.push_back(menu.addButton("quitButton", openMenu(screen_flow::kQuitGameMenu)));
  return order;
}

}  // namespace

Menu_Main::Menu_Main() {
  MenuBuilder menu(*this, "cfg\\menu_main.cfg");
  menu.addLogo();
  GuiWidget* start = menu.addButton("startButton", startPlay);
  chainNavigation(addCommonButtons(menu, {start}));
  setDefaultWidget(start);
}

Menu_InGame::Menu_InGame() {
  MenuBuilder menu(*this, "cfg\\menu_inGame.cfg");
  menu.addLogo();
  GuiWidget* resume = menu.addButton("continueButton", openMenu(screen_flow::kPlay));
  GuiWidget* restart = menu.addButton("restartButton", openMenu(screen_flow::kRestartMenu));
  chainNavigation(addCommonButtons(menu, {resume, restart}));
  setDefaultWidget(resume);
}
