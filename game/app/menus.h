#pragma once
// The game's ten menus. Each builds its widgets once, in its constructor, from its own
// configuration file and the shared "cfg\menu_general.cfg"; the game keeps one of each by
// its number (screen_flow's ids) and shows one at a time over the level. Every action that
// switches the menu returns true, so actions still waiting on the old menu are dropped.

#include "game/gui/gui_label.h"
#include "game/gui/gui_score_label.h"
#include "game/gui/gui_screen.h"
#include "game/gui/gui_water_level.h"

class GuiAnimatedButton;
class GuiOptionChooser;

class Menu_Main : public GuiScreen {
 public:
  Menu_Main();
};

class Menu_InGame : public GuiScreen {
 public:
  Menu_InGame();
};

// Music and sound on or off; leaving with the back button applies and stores the choice,
// leaving any other way keeps what was there.
class Menu_Options : public GuiScreen {
 public:
  Menu_Options();
  void onShow() override;

 private:
  GuiOptionChooser* musicChooser_ = nullptr;
  GuiOptionChooser* soundChooser_ = nullptr;
  GuiOptionChooser* musicVolumeChooser_ = nullptr;
  GuiOptionChooser* soundVolumeChooser_ = nullptr;
  GuiOptionChooser* highContrastChooser_ = nullptr;
  GuiOptionChooser* reducedMotionChooser_ = nullptr;
};

class Menu_HighScores : public GuiScreen {
 public:
  Menu_HighScores();
};

class Menu_Instructions : public GuiScreen {
 public:
  Menu_Instructions();
};

class Menu_QuitGame : public GuiScreen {
 public:
  Menu_QuitGame();
};

// The levels of the "lev" folder, listed once when the menu is built.
class Menu_LoadMap : public GuiScreen {
 public:
  Menu_LoadMap();
};

class Menu_Credits : public GuiScreen {
 public:
  Menu_Credits();
};

// The won level's result: the water gauge and the water, time and total scores counting up
// one after another, then the continue button that offers the score to the high-score table.
class Menu_LevelFinished : public GuiScreen {
 public:
  Menu_LevelFinished();
  void onShow() override;

 private:
  // The high score is offered once per showing, whichever button asks first; false when it
  // was, so a button pressed again acts no more.
  bool offerOnce();
  // Offers the high score, then the table shows over the main menu and the level restarts.
  bool continueOnce();
  // Offers the high score as continuing does, then watches the run just finished.
  bool watchOnce();

  // The run goes into the level's progress; what it beat and the bests before it show.
  void recordProgress();

  GuiWaterLevel* waterLevel_ = nullptr;
  GuiScoreLabel* waterCount_ = nullptr;
  GuiLabel* progressNote_ = nullptr;
  float waterRampTime_ = 0.0f;
  bool continued_ = false;
};

class Menu_Restart : public GuiScreen {
 public:
  Menu_Restart();
};
