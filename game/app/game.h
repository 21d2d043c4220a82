#pragma once
// The game run: brings a level's managers up, runs the main loop (at most one simulation
// tick per drawn frame), routes the window's input to the console or the play controls, and
// takes everything down at the end. The run's flags and requests are kept here; the frame
// clock, the free view, the speed displays, the game's settings and the menus each keep their
// own. The one Game object exists only while run() runs, to listen to the window.

#include <string>
#include <string_view>

#include "game/platform/window.h"

class Game : public window::GLWindowEventListener {
 public:
  // The whole run, from the first level to the quit; nothing when no window is open or a run
  // is already going on.
  static void run(std::string_view map);
  // Brings the game up for a level; also every later level change. A level that fails to
  // load leaves the previous one in place.
  static void initialise(std::string_view map);
  static void shutdown();
  // One pass of the main loop: the frame clock, at most one tick, the update and the drawing
  // (both skipped while minimized), the requests.
  static void frame();
  // The frame's animation before its drawing: the finish animation, then the current menu's
  // widgets and waiting actions (which may switch the menu).
  static void update();
  static void draw();
  // Puts the current level back to its start with fresh water.
  static void restartLevel();

  // Requests act at the end of the current frame, never in the middle of one.
  static void requestQuit();
  static void requestLoad(std::string_view map);
  static void requestRestart();
  // Watches the current level's last run from its start, at the end of the frame.
  static void requestReplay();

  static bool isRunning();
  // A quit was asked for and the loop ends after this frame.
  static bool isQuitRequested();
  static bool isPaused();
  // Pauses or resumes play; the music stops where it was and goes on from there.
  static void setPaused(bool paused);
  static bool isConsoleOpen();
  static const std::string& currentMap();

  // Every part of the game's state back as the process began, the menus gone (for tests,
  // which run many games in one process).
  static void resetState();

  // The menu shown over the level (screen_flow's ids; 0 is play); see screen_flow.
  static void setMenu(int32_t id);
  static int32_t currentMenu();
  static int32_t previousMenu();

  void onMouseMove(int32_t x, int32_t y) override;
  void onMouseDown(int32_t x, int32_t y, int32_t button) override;
  void onMouseUp(int32_t x, int32_t y, int32_t button) override;
  void onKeyDown(int32_t virtualKey) override;
  void onKeyUp(int32_t virtualKey) override;
  void onClose() override;
  void onFocusLost() override;
  // A controller unplugged in play pauses the game, as a lost focus does.
  void onControllerRemoved() override;
};
