// The menus that show something and lead back: the instructions, the credits and the
// high-score table.
#include "game/gui/gui_high_scores.h"
#include "game/app/menu_commands.h"
#include "game/app/menus.h"

namespace {

// The logo, the back button (the default) and a text box of `textName`.
void buildTextPage(GuiScreen& screen, std::string_view file, std::string_view textName) {
  MenuBuilder menu(screen, file);
  menu.addLogo();
  GuiWidget* back = menu.addButton("backButton", goBack);
  menu.addTextBox(textName);
  screen.setDefaultWidget(back);
}

}  // namespace

Menu_Instructions::Menu_Instructions() {
  buildTextPage(*this, "cfg\\menu_instructions.cfg", "instructionsText");
}

Menu_Credits::Menu_Credits() {
  buildTextPage(*this, "cfg\\menu_credits.cfg", "creditsText");
}

Menu_HighScores::Menu_HighScores() {
  MenuBuilder menu(*this, "cfg\\menu_highScores.cfg");
  menu.addLogo();
  auto table = std::make_unique<GuiHighScores>();
  table->setPosition(menu.ownPixel("highScores", "_x"), menu.ownPixel("highScores", "_y"));
  table->setEntrySize(menu.ownFloat("highScores", "_entryFontSize"));
  table->setHeadingSize(menu.ownFloat("highScores", "_titleFontSize"));
  menu.applyTextLook(*table);
  table->setEnabled(false);
  add(std::move(table));
  setDefaultWidget(menu.addButton("backButton", goBack));
}
