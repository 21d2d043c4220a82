#pragma once
// Debug overlay tests draw in the real test window, in a data folder of their own with a
// fresh console whose font is a test pattern: every glyph cell is filled with one flat
// colour that tells which cell it is, so a pixel read back names the byte drawn there. The
// blank's cell is transparent.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "test_support/temp_directory.h"
#include "test_support/window_fixture.h"

// Within `tolerance` per colour channel, alpha aside; says both colours when not.
::testing::AssertionResult looksLike(Rgba actual, Rgba expected, int tolerance = 3);

// The colour of byte `byte`'s cell in the test font: red from its column, green from its row.
Rgba glyphColour(uint8_t byte);
// The same, modulated by a text colour of (r, g, b) drawn at opacity `a` over black.
Rgba glyphColour(uint8_t byte, float r, float g, float b, float a = 1.0f);

class DebugViewTest : public WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the test font as "fonts/test_font.tga" below the data folder.
  void writeTestFont();
  // Writes console.cfg (the test font, then `extraSettings`), starts the console again and
  // clears its output.
  void restartConsole(const std::string& extraSettings = "");
  // Gives the window a client area of width x height, put back to 800 x 600 when the test
  // ends; false when the X server keeps the old size.
  static bool resizeClient(int32_t width, int32_t height);
  // Loads a level compiled from a level source; fails the test when it doesn't load.
  void loadLevel(const std::string& source);
  // World coordinates on pixel centres: whole-unit lines then fall on whole pixel rows.
  static void centreOnPixels();
  // The whole frame, row by row from the top.
  static std::vector<Rgba> readFrame();
  // Pixels of the whole frame that are not black.
  static int32_t countLitPixels();
  // Some pixel within `reach` pixels of (x, y) has the colour (lines round differently).
  static bool colourAround(int32_t x, int32_t y, Rgba expected, int32_t reach = 1);

  TempDirectory data_;
  std::unique_ptr<WorkingDirectory> inside_;
};

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kYellow{255, 255, 0, 255};
