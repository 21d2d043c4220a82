#include <gtest/gtest.h>

#include <vector>

#include "game/gui/gui_screen.h"
#include "game/platform/game_clock.h"
#include "game/platform/virtual_keys.h"
#include "game/world/screen_flow.h"

namespace {

// A widget that records the calls the screen makes on it.
class ProbeWidget : public GuiWidget {
 public:
  ProbeWidget(int32_t x, int32_t y, int32_t w, int32_t h) {
    setPosition(x, y);
    setSize(w, h);
  }
  void onHoverEnter() override { calls.push_back("enter"); }
  void onHoverLeave() override { calls.push_back("leave"); }
  void onMouseDown(int32_t, int32_t, int32_t) override { calls.push_back("down"); }
  void onKeyDown(int32_t) override { calls.push_back("key"); }
  void update() override { calls.push_back("update"); }
  std::vector<std::string> calls;
};

struct Screen {
  GuiScreen screen;
  ProbeWidget* add(int32_t x, int32_t y, int32_t w = 100, int32_t h = 20) {
    return screen.add(std::make_unique<ProbeWidget>(x, y, w, h));
  }
};

// An action that counts its runs and answers `switches`.
GuiAction counting(int& runs, bool switches = false) {
  return [&runs, switches](GuiWidget&, const GuiEvent&) {
    ++runs;
    return switches;
  };
}

}  // namespace

TEST(GuiScreenTest, VirtualAreaFitsTheWindowCentredAndInputMapsBack) {
  struct Case {
    int32_t w, h;
    float scale, offsetX, offsetY;
  };
  for (const Case& c : {Case{800, 600, 1.0f, 0.0f, 0.0f}, Case{1024, 768, 1.28f, 0.0f, 0.0f},
                        Case{1280, 720, 1.2f, 160.0f, 0.0f}, Case{600, 800, 0.75f, 0.0f, 175.0f},
                        Case{700, 600, 1.0f, -50.0f, 0.0f}}) {
    const VirtualView view = virtualView(c.w, c.h);
    EXPECT_FLOAT_EQ(view.scale, c.scale) << c.w << "x" << c.h;
    EXPECT_FLOAT_EQ(view.offsetX, c.offsetX) << c.w << "x" << c.h;
    EXPECT_FLOAT_EQ(view.offsetY, c.offsetY) << c.w << "x" << c.h;
    // The window's centre is the virtual centre, and a corner of the area maps to 0, 0.
    const GuiEvent centre = toVirtual(c.w, c.h, c.w / 2, c.h / 2);
    EXPECT_NEAR(centre.x, 400, 1);
    EXPECT_NEAR(centre.y, 300, 1);
    const GuiEvent corner = toVirtual(c.w, c.h, int32_t(view.offsetX), int32_t(view.offsetY));
    EXPECT_NEAR(corner.x, 0, 1);
    EXPECT_NEAR(corner.y, 0, 1);
  }
  // A minimised window has no size; nothing is divided by it.
  EXPECT_EQ(toVirtual(0, 0, 5, 6).x, 5);
}

TEST(GuiScreenTest, ThePointerHoversTheFirstEnabledWidgetUnderIt) {
  Screen s;
  ProbeWidget* first = s.add(0, 0);
  ProbeWidget* second = s.add(50, 0);
  ProbeWidget* hidden = s.add(0, 100);
  ProbeWidget* disabled = s.add(0, 200);
  hidden->setVisible(false);
  disabled->setEnabled(false);
  s.screen.onMouseMove(60, 10);
  EXPECT_EQ(s.screen.hoveredWidget(), first);
  EXPECT_TRUE(second->calls.empty());
  // Moving on within the same widget doesn't enter it again.
  s.screen.onMouseMove(61, 10);
  EXPECT_EQ(first->calls, std::vector<std::string>{"enter"});
  s.screen.onMouseMove(10, 110);
  EXPECT_EQ(s.screen.hoveredWidget(), hidden);
  EXPECT_EQ(first->calls.back(), "leave");
  s.screen.onMouseMove(10, 210);
  EXPECT_EQ(s.screen.hoveredWidget(), nullptr);
  EXPECT_EQ(hidden->calls.back(), "leave");
  // Without a hovered widget a click goes nowhere.
  s.screen.onMouseDown(10, 210, 1);
  EXPECT_TRUE(disabled->calls.empty());
}

TEST(GuiScreenTest, KeysHoverTheDefaultFirstThenFollowTheNavigation) {
  Screen s;
  ProbeWidget* top = s.add(0, 0);
  ProbeWidget* bottom = s.add(0, 50);
  top->setKeyNavigation(vk::kDown, bottom);
  s.screen.setDefaultWidget(top);
  s.screen.onKeyDown(vk::kDown);
  EXPECT_EQ(s.screen.hoveredWidget(), top);
  EXPECT_EQ(top->calls, std::vector<std::string>{"enter"});
  s.screen.onKeyDown(vk::kDown);
  EXPECT_EQ(top->calls, (std::vector<std::string>{"enter", "key", "leave"}));
  EXPECT_EQ(s.screen.hoveredWidget(), bottom);
  // A widget of another screen can't become this screen's default.
  GuiScreen other;
  auto* foreign = other.add(std::make_unique<ProbeWidget>(0, 0, 1, 1));
  s.screen.setDefaultWidget(foreign);
  EXPECT_EQ(s.screen.defaultWidget(), top);
}

TEST(GuiScreenTest, DelayedActionsRunWhenDueAndASwitchDropsTheRest) {
  Screen s;
  ProbeWidget* button = s.add(0, 0);
  int downs = 0, moves = 0;
  button->action(GuiActionKind::kMouseDown) = {counting(downs, true), 0.75f};
  button->action(GuiActionKind::kMouseMove) = {counting(moves), 0.0f};
  s.screen.onMouseMove(5, 5);
  EXPECT_EQ(moves, 1);  // no delay: at once
  s.screen.onMouseDown(5, 5, 1);
  s.screen.runScheduler(0.5f);
  s.screen.onMouseDown(5, 5, 1);
  EXPECT_TRUE(s.screen.hasPendingAction(button));
  s.screen.runScheduler(0.125f);
  EXPECT_EQ(downs, 0);
  s.screen.runScheduler(0.125f);
  EXPECT_EQ(downs, 1);
  // The first action switched the screen: the second click's action never runs.
  EXPECT_FALSE(s.screen.hasPendingAction(button));
  s.screen.runScheduler(1.0f);
  EXPECT_EQ(downs, 1);
  // Showing the screen again drops what waits and forgets the hover.
  s.screen.onMouseDown(5, 5, 1);
  s.screen.onShow();
  EXPECT_FALSE(s.screen.hasPendingAction(button));
  EXPECT_EQ(s.screen.hoveredWidget(), nullptr);
}

TEST(GuiScreenTest, AnActionThatEmptiesTheQueuesItselfLeavesTheSchedulerSound) {
  Screen s;
  ProbeWidget* widget = s.add(0, 0);
  int runs = 0;
  widget->action(GuiActionKind::kKeyUp) = {[&](GuiWidget&, const GuiEvent&) {
                                             ++runs;
                                             s.screen.clearPendingActions();
                                             return false;
                                           },
                                           0.1f};
  s.screen.hoverWidget(widget);
  for (int i = 0; i < 3; ++i) s.screen.onKeyUp(vk::kSpace);
  s.screen.runScheduler(0.2f);
  EXPECT_EQ(runs, 1);
}

TEST(GuiScreenTest, AnUpdateStepsOnlyTheVisibleWidgetsThenRunsWhatHasComeDue) {
  game_clock::useSimulatedClock();
  Screen s;
  ProbeWidget* shown = s.add(0, 0);
  ProbeWidget* hidden = s.add(0, 30);
  hidden->setVisible(false);  // not drawn, so its animation must not run on unseen
  int runs = 0;
  shown->action(GuiActionKind::kKeyUp) = {counting(runs), 0.25f};
  s.screen.hoverWidget(shown);
  s.screen.onKeyUp(vk::kSpace);
  game_clock::advance(0.3);
  s.screen.update();
  EXPECT_EQ(shown->calls, (std::vector<std::string>{"enter", "update"}));
  EXPECT_TRUE(hidden->calls.empty());
  EXPECT_EQ(runs, 1);
  game_clock::useRealClock();
}

TEST(ScreenFlowTest, BackIsOneStepOfHistoryNotAStack) {
  screen_flow::reset();
  std::vector<int32_t> shown;
  screen_flow::setMenuListener([&](int32_t id) { shown.push_back(id); });
  screen_flow::setMenu(screen_flow::kInGameMenu);
  screen_flow::setMenu(screen_flow::kOptionsMenu);
  screen_flow::back();
  EXPECT_EQ(screen_flow::currentMenu(), screen_flow::kInGameMenu);
  screen_flow::back();  // to options again, not to play
  EXPECT_EQ(screen_flow::currentMenu(), screen_flow::kOptionsMenu);
  screen_flow::setMenu(42);  // unknown: stays, but is shown again
  EXPECT_EQ(screen_flow::currentMenu(), screen_flow::kOptionsMenu);
  EXPECT_EQ(screen_flow::previousMenu(), screen_flow::kOptionsMenu);
  screen_flow::setMenu(screen_flow::kPlay);
  EXPECT_FALSE(screen_flow::isMenuOpen());
  EXPECT_EQ(shown, (std::vector<int32_t>{2, 3, 2, 3, 3, 0}));
  screen_flow::setMenuListener(nullptr);
}
