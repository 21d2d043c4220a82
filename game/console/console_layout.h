#pragma once
// Where the console's text falls on the screen, apart from any drawing so that it can be
// checked without a window. The overlay is a grid of square glyph cells: the output area
// above, showing the newest lines of the output ring with its last line at the bottom, and
// the input area of four cells' height below it.
//
// Output bytes are laid out in lines of the grid's width: a line feed ends the line; a tab
// moves to the next multiple of 8 columns, or ends the line when that would reach the last
// column; any other byte takes one column and ends the line when it fills the last one. Tabs,
// carriage returns and line feeds take no glyph.

#include <cstdint>
#include <span>
#include <vector>

namespace console {

// The output area's text grid.
struct ConsoleGrid {
  int32_t columns = 80;
  int32_t rows = 16;
};

// For a client area of width x height pixels and glyph cells of fontSize pixels: width /
// fontSize columns, at least 80, and height / fontSize - 4 rows, at least 16. The grid may
// reach past a small window; it never shrinks below that.
ConsoleGrid consoleGrid(int32_t width, int32_t height, int32_t fontSize);

// Follows the layout rules above one byte at a time.
class OutputLineBreaker {
 public:
  explicit OutputLineBreaker(int32_t columns) : columns_(columns) {}
  // The column the next byte goes to.
  int32_t column() const { return column_; }
  // Moves past `byte`; true when it ended the line, the next byte then starting at column 0.
  bool advance(char byte);

 private:
  int32_t columns_;
  int32_t column_ = 0;
};

// How many of the newest bytes of the ring (written up to `writePosition`) fill the grid's
// rows exactly, the unfinished last line in the bottom row; the whole ring when it holds
// fewer lines. Long lines break as they are drawn, so the top row begins where the layout
// of its line puts a row start.
uint32_t visibleOutputLength(std::span<const char> ring, uint32_t writePosition, ConsoleGrid grid);

// One glyph of the output area: the byte and its cell.
struct OutputGlyph {
  uint8_t byte = 0;
  int32_t column = 0;
  int32_t line = 0;
};
// Replaces `glyphs` with the glyphs of the visible output, oldest first.
void layoutVisibleOutput(std::span<const char> ring, uint32_t writePosition, ConsoleGrid grid,
                         std::vector<OutputGlyph>& glyphs);

// The first character of the input line shown: a line longer than columns - 1 scrolls so
// that the cursor stays in view.
int32_t firstShownInputCharacter(int32_t length, int32_t cursor, int32_t columns);

}  // namespace console
