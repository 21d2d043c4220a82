#pragma once
// The launcher's one window: the background picture with its captions, the four lists and
// the two buttons at fixed places. "Start Game" starts the game with the chosen options and
// "Quit" doesn't; either way the window closes, and with it the launcher. When the game can't
// be started, a message says so first.

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "launcher/game_start.h"
#include "launcher/launcher_choices.h"

enum class LauncherList { Resolution, Fullscreen, Detail, SoundMode };

class LauncherWindow {
 public:
  // `desktop` is the size "Same as desktop" stands for.
  LauncherWindow(std::vector<std::string> resolutions, ScreenSize desktop,
                 const LauncherChoices& initial, GameProgram game);
  LauncherWindow(const LauncherWindow&) = delete;
  LauncherWindow& operator=(const LauncherWindow&) = delete;
  ~LauncherWindow();

  // Null once the window is closed.
  GtkWidget* window() const { return window_; }
  GtkComboBox* list(LauncherList which) const;
  GtkButton* startButton() const { return start_; }
  GtkButton* quitButton() const { return quit_; }
  GtkToggleButton* reducedMotionSwitch() const { return reducedMotion_; }
  GtkToggleButton* highContrastSwitch() const { return highContrast_; }
  // The index chosen in each list; 0 for a list without a choice.
  LauncherChoices choices() const;

 private:
  void build();
  GtkComboBox* addList(GtkFixed* area, int x, int y, const std::vector<std::string>& items,
                       int chosen);
  GtkButton* addButton(GtkFixed* area, int x, int y, const char* label);
  static GtkToggleButton* addSwitch(GtkFixed* area, int x, int y, bool on);
  void loadBackground();
  void paint(cairo_t* cr) const;
  void startPressed();
  void close();

  static gboolean onDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
  static void onStart(GtkButton* button, gpointer self);
  static void onQuit(GtkButton* button, gpointer self);
  static void onDestroy(GtkWidget* widget, gpointer self);

  std::vector<std::string> resolutions_;
  ScreenSize desktop_;
  LauncherChoices initial_;
  GameProgram game_;
  GtkWidget* window_ = nullptr;
  GtkComboBox* lists_[4] = {};
  GtkButton* start_ = nullptr;
  GtkButton* quit_ = nullptr;
  GtkToggleButton* reducedMotion_ = nullptr;
  GtkToggleButton* highContrast_ = nullptr;
  cairo_surface_t* background_ = nullptr;  // null when the picture can't be read
};
