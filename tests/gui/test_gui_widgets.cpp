#include <gtest/gtest.h>

#include "game/gui/gui_animated_button.h"
#include "game/gui/gui_level_time_display.h"
#include "game/gui/gui_option_chooser.h"
#include "game/gui/gui_score_label.h"
#include "game/gui/gui_screen.h"
#include "game/gui/gui_text_box.h"
#include "game/platform/game_clock.h"
#include "game/platform/virtual_keys.h"
#include "test_support/temp_directory.h"

namespace {

// Steps the animation `steps` times at 10 frames a second.
void stepFrames(GuiAnimatedButton& button, int steps) {
  for (int i = 0; i < steps; ++i) button.animate(0.1f);
}

class SimulatedClock : public ::testing::Test {
 protected:
  SimulatedClock() { game_clock::useSimulatedClock(); }
  ~SimulatedClock() override { game_clock::useRealClock(); }
};

}  // namespace

TEST(GuiFrameNames, ButtonFramesRunFromTheHighestNamedFileAndAMissingSetIsItsOwnFrame) {
  TempDirectory data;
  for (const char* name : {"play_FRAME01.tga", "PLAY_frame03.TGA", "play_FRAME02.tga",
                           "play_FRAME02.png", "other_FRAME01.tga"})
    data.write(std::string("gfx/") + name, "x");
  WorkingDirectory inside(data.path());
  EXPECT_EQ(buttonFrameNames("gfx\\play_FRAME01.tga"),
            (std::vector<std::string>{"gfx\\PLAY_frame03.TGA", "gfx\\play_FRAME02.tga",
                                      "gfx\\play_FRAME01.tga"}));
  EXPECT_EQ(buttonFrameNames("gfx\\gone_FRAME01.tga"),
            std::vector<std::string>{"gfx\\gone_FRAME01.tga"});
  EXPECT_EQ(buttonFrameNames("gfx\\logo.tga"), std::vector<std::string>{"gfx\\logo.tga"});
}

TEST(GuiAnimatedButtonTest, LoopsHoversInHoldsRunsBackOutAndClicksTogether) {
  TempDirectory data;
  for (int i = 1; i <= 3; ++i) data.write("b_FRAME0" + std::to_string(i) + ".tga", "x");
  WorkingDirectory inside(data.path());
  GuiScreen screen;
  auto* button = screen.add(std::make_unique<GuiAnimatedButton>());
  auto* other = screen.add(std::make_unique<GuiAnimatedButton>());
  for (ButtonState state : {ButtonState::kOutOfFocus, ButtonState::kInFocus, ButtonState::kClicked})
    button->setFrames(state, "b_FRAME01.tga");
  button->setAnimationSpeed(10.0f);
  stepFrames(*button, 4);  // out of focus loops: 1, 2, 0, 1
  EXPECT_EQ(button->frameIndex(), 1);
  screen.hoverWidget(button);
  EXPECT_EQ(button->state(), ButtonState::kInFocus);
  stepFrames(*button, 5);  // plays once and holds the last frame
  EXPECT_EQ(button->frameIndex(), 2);
  screen.hoverWidget(other);  // the pointer leaves: the hover runs backwards
  stepFrames(*button, 1);
  EXPECT_EQ(button->frameIndex(), 1);
  screen.hoverWidget(button);  // back again: forwards from here, no restart
  EXPECT_EQ(button->frameIndex(), 1);
  stepFrames(*button, 1);
  EXPECT_EQ(button->frameIndex(), 2);
  screen.hoverWidget(other);
  stepFrames(*button, 3);
  EXPECT_EQ(button->state(), ButtonState::kOutOfFocus);
  // A frame step needs the whole frame time, however the time comes.
  button->animate(0.05f);
  button->animate(0.04f);
  EXPECT_EQ(button->frameIndex(), 0);
  // Enter clicks; the whole screen's buttons click with it and hold.
  screen.hoverWidget(button);
  button->onKeyDown(vk::kReturn);
  EXPECT_EQ(button->state(), ButtonState::kClicked);
  EXPECT_EQ(other->state(), ButtonState::kClicked);
  stepFrames(*button, 5);
  EXPECT_EQ(button->frameIndex(), 2);
  screen.onShow();
  EXPECT_EQ(button->state(), ButtonState::kOutOfFocus);
}

TEST(GuiTextBoxTest, WrapsAtBlanksAndCutsWordsLongerThanALine) {
  struct Case {
    const char* text;
    size_t perLine;
    std::vector<std::string> lines;
  };
  for (const Case& c : {
           Case{"abcd efghijkl", 10, {"abcd ", "efghijkl"}},
           Case{"abcdefghijklmno", 10, {"a", "b", "c", "d", "e", "fghijklmno"}},
           Case{"one\ntwo three", 20, {"one\n", "two three"}},
           Case{"ab\r\n\ncd", 5, {"ab\r", "\n", "\n", "cd"}},
           Case{"abc def", 3, {"abc ", "def"}},
           Case{"", 4, {}},
           Case{"xy", 0, {"x", "y"}},
       }) {
    EXPECT_EQ(wrapText(c.text, c.perLine), c.lines) << c.text;
  }
  GuiTextBox box;
  box.setSize(100, 1);
  box.setTextSize(10.0f);
  box.setText("abcd efghijkl");
  EXPECT_EQ(box.lines().size(), 2u);
  box.setTextSize(3.0f);  // raised to 4: 25 bytes a line
  EXPECT_EQ(box.lines().size(), 1u);
}

TEST(GuiOptionChooserTest, StepsWithinItsOptionsByHalfAndByArrowKeys) {
  GuiOptionChooser chooser;
  chooser.setPosition(100, 0);
  chooser.setSize(200, 20);
  chooser.setSelectedIndex(5);
  EXPECT_EQ(chooser.selectedIndex(), 0u);  // no options: 0
  chooser.setOptions({"off", "on", "loud"});
  chooser.onMouseDown(150, 10, 1);  // left half at the first option: nothing
  EXPECT_EQ(chooser.selectedOption(), "off");
  chooser.onMouseDown(200, 10, 1);  // the middle counts as left
  EXPECT_EQ(chooser.selectedOption(), "off");
  chooser.onMouseDown(201, 10, 1);
  chooser.onKeyDown(vk::kRight);
  chooser.onKeyDown(vk::kRight);  // no wrap-around
  EXPECT_EQ(chooser.selectedOption(), "loud");
  chooser.onKeyDown(vk::kLeft);
  EXPECT_EQ(chooser.selectedOption(), "on");
  chooser.setSelectedIndex(9);
  EXPECT_EQ(chooser.selectedIndex(), 2u);
}

TEST_F(SimulatedClock, CountersCountOneAfterAnother) {
  GuiScoreLabel water, time;
  water.setRampTime(1.0f);
  time.setRampTime(2.0f);
  time.setLinkedWidget(&water);
  water.setValueFunction([] { return 1000u; });
  time.setValueFunction([] { return 500u; });
  water.onReset();
  time.onReset();
  const auto frame = [&](double seconds) {
    game_clock::advance(seconds);
    water.update();
    time.update();
  };
  frame(0.0);
  EXPECT_EQ(water.shownValue(), 0u);
  frame(0.5);
  EXPECT_EQ(water.shownValue(), 500u);
  EXPECT_EQ(time.shownValue(), 0u);  // waits for the water
  // The frame that finishes the water starts the time, with that whole frame's step.
  frame(0.6);
  EXPECT_EQ(water.shownValue(), 1000u);
  EXPECT_EQ(time.shownValue(), 150u);
  frame(1.0);
  EXPECT_EQ(time.shownValue(), 400u);
  water.setRampTime(0.0f);  // raised to 0.01 s
  EXPECT_FLOAT_EQ(water.ramp().time, 0.01f);
}

TEST(GuiLevelTimeDisplayTest, ShowsMinutesSecondsAndHundredths) {
  EXPECT_EQ(levelTimeDisplayText(75430), "01:15:43");
  EXPECT_EQ(levelTimeDisplayText(545070), "09:05:07");
  EXPECT_EQ(levelTimeDisplayText(3600000 + 61000), "01:01:00");  // hours dropped
}
