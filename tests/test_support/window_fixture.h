#pragma once
// Tests that draw: one real 800 x 600 window with its OpenGL context for the whole test
// program, under the X server the test command provides (Xvfb with Mesa on a machine
// without a display). Each test starts from a cleared frame in the 2D projection and reads
// its pixels back from the back buffer.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};
void PrintTo(const Rgba& colour, std::ostream* out);

// Opens the window and the texture manager the first time a fixture needs them; they stay
// for the rest of the program (the window can't be recreated cheaply between tests).
void openTestWindow();

// The window's pixels at one moment, rows from the top.
struct ScreenPixels {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgba;
  Rgba at(int32_t x, int32_t y) const {
    const uint8_t* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The pixel at client pixel (x, y), origin top-left, from the back buffer.
  static Rgba pixelAt(int32_t x, int32_t y);
  // The same as the X server shows it: what the last swap put on the screen, whichever
  // thread's context swapped it.
  static Rgba shownPixelAt(int32_t x, int32_t y);
  static ScreenPixels shownScreen();
  // Within `tolerance` per channel; software rasterisers round differently at edges.
  static bool near(Rgba actual, Rgba expected, int tolerance = 3);
  // Writes the back buffer to the failure artefacts folder as PNG, named after the test.
  static void saveFailureScreenshot();
  // Writes the back buffer (or what the screen shows) as PNG.
  static void saveScreenshot(const std::filesystem::path& file, bool shown = false);
};
