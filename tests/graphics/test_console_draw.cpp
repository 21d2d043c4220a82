// The console overlay: its grid, which output bytes land in which cells, and the areas,
// glyphs, input line and cursor read back from the frame.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/console/console.h"
#include "game/console/console_draw.h"
#include "game/console/console_layout.h"
#include "game/platform/gl_state.h"
#include "game/platform/platform_services.h"
#include "game/platform/virtual_keys.h"
#include "game/platform/window.h"
#include "graphics/debug_view_test_support.h"

namespace {

using console::ConsoleGrid;
using console::OutputGlyph;

// ---- The grid and the layout, without a window ------------------------------------------

TEST(ConsoleGridTest, ColumnsAndRowsFollowTheClientSizeAboveTheMinimums) {
  EXPECT_EQ(console::consoleGrid(800, 600, 8).columns, 100);
  EXPECT_EQ(console::consoleGrid(800, 600, 8).rows, 71);
  EXPECT_EQ(console::consoleGrid(640, 480, 8).columns, 80);
  EXPECT_EQ(console::consoleGrid(640, 480, 8).rows, 56);
  EXPECT_EQ(console::consoleGrid(1600, 1200, 10).columns, 160);
  EXPECT_EQ(console::consoleGrid(1600, 1200, 10).rows, 116);
}

TEST(ConsoleGridTest, SmallWindowsAndLargeFontsKeepEightyBySixteen) {
  EXPECT_EQ(console::consoleGrid(640, 480, 40).columns, 80);
  EXPECT_EQ(console::consoleGrid(640, 480, 40).rows, 16);
  EXPECT_EQ(console::consoleGrid(0, 0, 8).columns, 80);
  EXPECT_EQ(console::consoleGrid(0, 0, 8).rows, 16);
  // A font size below 1 counts as 1 rather than dividing by zero.
  EXPECT_EQ(console::consoleGrid(800, 600, 0).columns, 800);
}

TEST(OutputLineBreakerTest, TabsJumpToMultiplesOfEightAndEndTheLineAtTheLastColumn) {
  console::OutputLineBreaker breaker(20);
  EXPECT_FALSE(breaker.advance('a'));
  EXPECT_FALSE(breaker.advance('\t'));
  EXPECT_EQ(breaker.column(), 8);
  EXPECT_FALSE(breaker.advance('\t'));
  EXPECT_EQ(breaker.column(), 16);
  EXPECT_TRUE(breaker.advance('\t'));  // 24 would reach past 20 columns
  EXPECT_EQ(breaker.column(), 0);
}

TEST(OutputLineBreakerTest, ALineEndsAtItsLineFeedOrWhenItFillsTheLastColumn) {
  console::OutputLineBreaker breaker(3);
  EXPECT_FALSE(breaker.advance('a'));
  EXPECT_FALSE(breaker.advance('\r'));  // takes a column, shows no glyph
  EXPECT_TRUE(breaker.advance('b'));
  EXPECT_TRUE(breaker.advance('\n'));
  EXPECT_EQ(breaker.column(), 0);
}

// A ring of line feeds with `text` written at its start; the write position after it.
struct TestRing {
  explicit TestRing(const std::string& text, size_t size = 4096) : bytes(size, '\n') {
    for (char c : text) write(c);
  }
  void write(char c) {
    bytes[position] = c;
    position = (position + 1) % bytes.size();
  }
  std::vector<OutputGlyph> layout(ConsoleGrid grid) const {
    std::vector<OutputGlyph> glyphs;
    console::layoutVisibleOutput(bytes, uint32_t(position), grid, glyphs);
    return glyphs;
  }
  std::string bytes;
  size_t position = 0;
};

TEST(ConsoleOutputLayoutTest, TheNewestLineSitsInTheBottomRow) {
  const TestRing ring("\nfirst\nsecond\nab");
  const std::vector<OutputGlyph> glyphs = ring.layout({80, 16});
  ASSERT_EQ(glyphs.size(), 13u);
  EXPECT_EQ(glyphs.front().byte, 'f');
  EXPECT_EQ(glyphs.front().line, 13);
  EXPECT_EQ(glyphs[5].byte, 's');
  EXPECT_EQ(glyphs[5].line, 14);
  EXPECT_EQ(glyphs.back().byte, 'b');
  EXPECT_EQ(glyphs.back().line, 15);
  EXPECT_EQ(glyphs.back().column, 1);
}

TEST(ConsoleOutputLayoutTest, AFreshRingShowsExactlyTheRowCountOfEmptyLines) {
  // Fifteen line feeds end the rows above the empty unfinished line in the bottom row.
  const TestRing ring("");
  EXPECT_EQ(console::visibleOutputLength(ring.bytes, 0, {80, 16}), 15u);
  EXPECT_TRUE(ring.layout({80, 16}).empty());
}

TEST(ConsoleOutputLayoutTest, ALongLineBreaksFromItsBeginningAndTheTopRowStartsOnABreak) {
  // 200 characters in rows of 80: rows of 80, 80 and 40; 15 earlier empty lines would need
  // 18 rows, so the top rows scroll away and the top row is the line's second row.
  std::string text(15, '\n');
  for (int i = 0; i < 200; ++i) text += char('A' + i % 26);
  const TestRing ring(text);
  const std::vector<OutputGlyph> glyphs = ring.layout({80, 16});
  ASSERT_EQ(glyphs.size(), 200u);
  EXPECT_EQ(glyphs[0].line, 13);
  EXPECT_EQ(glyphs[0].column, 0);
  EXPECT_EQ(glyphs[80].line, 14);
  EXPECT_EQ(glyphs[80].column, 0);
  EXPECT_EQ(glyphs[199].line, 15);
  EXPECT_EQ(glyphs[199].column, 39);

  const TestRing longer(std::string(200, 'x') + "\n" + std::string(1000, 'y'));
  const std::vector<OutputGlyph> shown = longer.layout({80, 16});
  // 1000 y's take 13 rows (12 full, 40 left over): above them the last 3 rows of the x's.
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front().byte, 'x');
  EXPECT_EQ(shown.front().line, 0);
  EXPECT_EQ(shown.front().column, 0);
  EXPECT_EQ(shown.back().line, 15);
  EXPECT_EQ(shown.back().column, 39);
}

TEST(ConsoleOutputLayoutTest, ALineFillingTheWidthLeavesAnEmptyRowBeforeItsLineFeed) {
  const TestRing ring(std::string(80, 'w') + "\nz");
  const std::vector<OutputGlyph> glyphs = ring.layout({80, 16});
  ASSERT_EQ(glyphs.size(), 81u);
  EXPECT_EQ(glyphs.front().line, 13);
  EXPECT_EQ(glyphs.back().byte, 'z');
  EXPECT_EQ(glyphs.back().line, 15);
}

TEST(ConsoleOutputLayoutTest, TabsAndCarriageReturnsTakeColumnsButNoGlyph) {
  const TestRing ring("\na\tb\rc");
  const std::vector<OutputGlyph> glyphs = ring.layout({80, 16});
  ASSERT_EQ(glyphs.size(), 3u);
  EXPECT_EQ(glyphs[1].byte, 'b');
  EXPECT_EQ(glyphs[1].column, 8);
  EXPECT_EQ(glyphs[2].byte, 'c');
  EXPECT_EQ(glyphs[2].column, 10);
}

TEST(ConsoleOutputLayoutTest, TheRingIsReadAcrossItsWrapAndAShortRingShowsEverything) {
  TestRing ring("", 64);
  for (char c : std::string(60, '.') + "\nwrapped") ring.write(c);
  const std::vector<OutputGlyph> glyphs = ring.layout({80, 16});
  // The ring holds fewer lines than the grid: drawing starts in the top row.
  ASSERT_EQ(glyphs.size(), 56u + 7u);
  EXPECT_EQ(glyphs.front().line, 0);
  EXPECT_EQ(glyphs.back().byte, 'd');
  EXPECT_EQ(glyphs.back().line, 1);

  // Text without any line feed in a ring smaller than the grid: all of it, from the oldest.
  TestRing full("", 100);
  for (int i = 0; i < 100; ++i) full.write('q');
  EXPECT_EQ(console::visibleOutputLength(full.bytes, uint32_t(full.position), {80, 16}), 100u);
  EXPECT_EQ(full.layout({80, 16}).size(), 100u);
}

TEST(ConsoleInputScrollTest, ALongLineScrollsToKeepTheCursorInView) {
  EXPECT_EQ(console::firstShownInputCharacter(99, 99, 100), 0);
  EXPECT_EQ(console::firstShownInputCharacter(120, 120, 100), 21);
  EXPECT_EQ(console::firstShownInputCharacter(120, 10, 100), 0);
}

// ---- The overlay in the window ----------------------------------------------------------

class ConsoleDrawTest : public DebugViewTest {
 protected:
  // Types the keys as the user would; the characters they give on this keyboard layout.
  std::string type(const std::vector<int>& keys) {
    std::string typed;
    for (int key : keys) {
      typed += platform::services().keyToChar(key);
      console::consoleKey(key);
    }
    return typed;
  }
};

// 800 x 600 with 8-pixel cells: 71 rows of output end at y = 568; a 2-pixel strip, the
// input area down to 598, a strip to the bottom.
TEST_F(ConsoleDrawTest, AreasFillTheWindowInTheirColours) {
  console::clearConsole();
  gl_state::clearScreen(1.0f, 1.0f, 1.0f);
  console::drawConsole();
  EXPECT_TRUE(looksLike(pixelAt(400, 300), {128, 128, 128, 255}));  // half-opaque black over white
  EXPECT_TRUE(looksLike(pixelAt(400, 567), {128, 128, 128, 255}));
  EXPECT_TRUE(looksLike(pixelAt(400, 568), {128, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(400, 569), {128, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(400, 570), {64, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(799, 597), {64, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(400, 598), {128, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(0, 599), {128, 64, 64, 255}));
}

TEST_F(ConsoleDrawTest, OutputGlyphsFillTheirCellsWithTheNewestLineAtTheBottom) {
  console::clearConsole();
  console::print("\nAB C\nlast");
  console::drawConsole();
  // "last" in row 70 (y 560..568), "AB C" above it in row 69.
  EXPECT_TRUE(looksLike(pixelAt(4, 564), glyphColour('l')));
  EXPECT_TRUE(looksLike(pixelAt(28, 564), glyphColour('t')));
  EXPECT_TRUE(looksLike(pixelAt(4, 556), glyphColour('A')));
  EXPECT_TRUE(looksLike(pixelAt(12, 556), glyphColour('B')));
  EXPECT_TRUE(looksLike(pixelAt(28, 556), glyphColour('C')));
  // The blank's cell is transparent: only the output area's background.
  EXPECT_TRUE(looksLike(pixelAt(20, 556), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(36, 564), kBlack));
  // Whole cells: the glyph's first and last pixel rows and columns.
  EXPECT_TRUE(looksLike(pixelAt(8, 560), glyphColour('a')));
  EXPECT_TRUE(looksLike(pixelAt(15, 567), glyphColour('a')));
}

TEST_F(ConsoleDrawTest, OutputTextTakesItsColourFromTheSettings) {
  restartConsole("output_text_r = 1 output_text_g = 0 output_text_b = 0.5");
  console::print("\nZ");
  console::drawConsole();
  EXPECT_TRUE(looksLike(pixelAt(4, 564), glyphColour('Z', 1.0f, 0.0f, 0.5f)));
}

TEST_F(ConsoleDrawTest, TheInputLineAndTheOverwriteCursorSitInTheInputArea) {
  const std::string typed = type({'A', 'B', 'C'});
  ASSERT_EQ(console::inputLine(), typed);
  console::drawConsole();
  // Glyphs from y = 568 + 12 = 580 to 588.
  EXPECT_TRUE(looksLike(pixelAt(4, 584), glyphColour(uint8_t(typed[0]))));
  EXPECT_TRUE(looksLike(pixelAt(20, 584), glyphColour(uint8_t(typed[2]))));
  EXPECT_TRUE(looksLike(pixelAt(4, 578), {64, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(4, 589), {64, 64, 64, 255}));
  // Overwrite mode: a white block in the cursor's column (3) from 591 to 596.
  ASSERT_FALSE(platform::services().isKeyToggled(vk::kInsert));
  EXPECT_TRUE(looksLike(pixelAt(24, 591), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(31, 595), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(28, 590), {64, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(28, 596), {64, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(20, 593), {64, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(32, 593), {64, 64, 64, 255}));
}

TEST_F(ConsoleDrawTest, ALongInputLineScrollsAndTheCursorStaysInTheLastColumn) {
  std::vector<int> keys(119, 'X');
  keys.push_back('Q');
  const std::string typed = type(keys);
  ASSERT_EQ(console::inputLine().size(), 120u);
  console::drawConsole();
  // Characters 21..119 are shown in columns 0..98; the cursor is in column 99.
  EXPECT_TRUE(looksLike(pixelAt(98 * 8 + 4, 584), glyphColour(uint8_t(typed.back()))));
  EXPECT_TRUE(looksLike(pixelAt(99 * 8 + 4, 593), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(98 * 8 + 4, 593), {64, 64, 64, 255}));
}

TEST_F(ConsoleDrawTest, ALargerFontMakesFewerRowsAndTheMinimumColumns) {
  // 16-pixel cells: 600 / 16 - 4 = 33 rows, so the output area ends at y = 528.
  restartConsole("fontSize = 16");
  console::print("\nM");
  gl_state::clearScreen(1.0f, 1.0f, 1.0f);
  console::drawConsole();
  EXPECT_TRUE(looksLike(pixelAt(400, 527), {128, 128, 128, 255}));
  EXPECT_TRUE(looksLike(pixelAt(400, 528), {128, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(400, 531), {64, 64, 64, 255}));
  // 'M' in row 32 (y 512..528), twice the cell size.
  EXPECT_TRUE(looksLike(pixelAt(8, 520), glyphColour('M')));
  EXPECT_TRUE(looksLike(pixelAt(24, 520), {128, 128, 128, 255}));
}

// 640 x 480 with 8-pixel cells: 80 columns and 56 rows, so the output area ends at y = 448,
// the input glyphs run from 460 to 468 and the input area reaches 478.
TEST_F(ConsoleDrawTest, TheGridFollowsTheClientSizeOfAnotherWindow) {
  if (!resizeClient(640, 480)) GTEST_SKIP() << "the X server did not resize the window";
  console::print("\nnewest");
  std::vector<int> keys(99, 'X');
  keys.push_back('Q');
  const std::string typed = type(keys);
  gl_state::clearScreen(1.0f, 1.0f, 1.0f);
  console::drawConsole();
  EXPECT_TRUE(looksLike(pixelAt(4, 444), glyphColour('n')));
  EXPECT_TRUE(looksLike(pixelAt(320, 447), {128, 128, 128, 255}));
  EXPECT_TRUE(looksLike(pixelAt(320, 448), {128, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(320, 450), {64, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(320, 477), {64, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(320, 478), {128, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(639, 479), {128, 64, 64, 255}));
  // 100 characters in 80 columns: characters 21..99 in columns 0..78, the cursor in 79.
  EXPECT_TRUE(looksLike(pixelAt(78 * 8 + 4, 464), glyphColour(uint8_t(typed.back()))));
  EXPECT_TRUE(looksLike(pixelAt(79 * 8 + 4, 473), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(79 * 8 + 4, 469), {64, 64, 64, 255}));
}

// Cells of 40 pixels in 640 x 480 give 16 by 80 at the least: 640 pixels of output, more than
// the window holds, so the top twelve rows fill it and the input area is out of sight.
TEST_F(ConsoleDrawTest, TheMinimumGridReachesPastASmallWindow) {
  if (!resizeClient(640, 480)) GTEST_SKIP() << "the X server did not resize the window";
  restartConsole("fontSize = 40");
  std::string text = "\nT";
  for (int i = 0; i < 15; ++i) text += "\nx";
  console::print(text);
  gl_state::clearScreen(1.0f, 1.0f, 1.0f);
  console::drawConsole();
  EXPECT_TRUE(looksLike(pixelAt(20, 20), glyphColour('T')));
  EXPECT_TRUE(looksLike(pixelAt(20, 60), glyphColour('x')));
  EXPECT_TRUE(looksLike(pixelAt(60, 20), {128, 128, 128, 255}));
  EXPECT_TRUE(looksLike(pixelAt(320, 479), {128, 128, 128, 255}));
  EXPECT_TRUE(looksLike(pixelAt(639, 479), {128, 128, 128, 255}));
}

TEST_F(ConsoleDrawTest, WithTheInsertLockOnTheCursorIsAThinLine) {
  // The lock is the keyboard's: pressed once here, and once more on the way out.
  auto pressInsert = [] {
    window::injectKey(vk::kInsert, true);
    window::injectKey(vk::kInsert, false);
    window::pumpMessages();
  };
  ASSERT_FALSE(platform::services().isKeyToggled(vk::kInsert));
  pressInsert();
  const bool toggled = platform::services().isKeyToggled(vk::kInsert);
  type({'A', 'B'});
  console::drawConsole();
  if (toggled) pressInsert();
  ASSERT_TRUE(toggled);
  // Column 2, one pixel high at y = 568 + 24 - 1.
  EXPECT_TRUE(looksLike(pixelAt(16, 591), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(23, 591), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(20, 590), {64, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(20, 592), {64, 64, 64, 255}));
  EXPECT_TRUE(looksLike(pixelAt(24, 591), {64, 64, 64, 255}));
}

TEST_F(ConsoleDrawTest, WithoutAFontTheAreasAreDrawnAndNoText) {
  console::print("\nAAAA");
  console::shutdown();
  ASSERT_EQ(console::fontTexture(), nullptr);
  console::drawConsole();
  EXPECT_TRUE(looksLike(pixelAt(4, 564), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(400, 570), {64, 64, 64, 255}));
}

TEST_F(ConsoleDrawTest, DrawingLeavesTheStateAsItWas) {
  console::print("\ntext");
  console::drawConsole();
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

}  // namespace
