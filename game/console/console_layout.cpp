#include "game/console/console_layout.h"

#include <algorithm>

namespace console {
namespace {

constexpr int32_t kMinimumColumns = 80;
constexpr int32_t kMinimumRows = 16;
// The input area below the output is four cells high.
constexpr int32_t kInputAreaRows = 4;
constexpr int32_t kTabWidth = 8;

// The ring read backwards from the write position: byte 1 is the newest.
class RingBackwards {
 public:
  RingBackwards(std::span<const char> ring, uint32_t writePosition)
      : ring_(ring), writePosition_(writePosition % uint32_t(ring.size())) {}
  uint32_t size() const { return uint32_t(ring_.size()); }
  char back(uint32_t distance) const {
    return ring_[(writePosition_ + size() - distance) % size()];
  }

 private:
  std::span<const char> ring_;
  uint32_t writePosition_;
};

// The line whose oldest byte lies `begin` bytes back and which ends just before the byte
// `end` bytes back, laid out from its beginning as drawing lays it out: calls
// `rowStarted(distance)` with the distance back of each row's first byte, in order, and
// returns the number of rows.
template <typename RowStarted>
int32_t layOutLine(const RingBackwards& bytes, uint32_t begin, uint32_t end, int32_t columns,
                   RowStarted rowStarted) {
  int32_t rows = 1;
  if (!rowStarted(begin)) return rows;
  OutputLineBreaker breaker(columns);
  for (uint32_t distance = begin; distance > end; --distance) {
    if (breaker.advance(bytes.back(distance))) {
      ++rows;
      if (!rowStarted(distance - 1)) break;
    }
  }
  return rows;
}

// Where row `row` of the line begins, as a distance back.
uint32_t rowStart(const RingBackwards& bytes, uint32_t begin, uint32_t end, int32_t columns,
                  int32_t row) {
  uint32_t start = begin;
  int32_t seen = 0;
  layOutLine(bytes, begin, end, columns, [&](uint32_t distance) {
    start = distance;
    return seen++ < row;
  });
  return start;
}

}  // namespace

ConsoleGrid consoleGrid(int32_t width, int32_t height, int32_t fontSize) {
  const int32_t size = std::max(fontSize, 1);
  return {std::max(width / size, kMinimumColumns),
          std::max(height / size - kInputAreaRows, kMinimumRows)};
}

bool OutputLineBreaker::advance(char byte) {
  if (byte == '\n') {
    column_ = 0;
    return true;
  }
  if (byte == '\t') {
    const int32_t next = (column_ / kTabWidth + 1) * kTabWidth;
    column_ = next >= columns_ ? 0 : next;
    return column_ == 0;
  }
  if (++column_ < columns_) return false;
  column_ = 0;
  return true;
}

uint32_t visibleOutputLength(std::span<const char> ring, uint32_t writePosition, ConsoleGrid grid) {
  if (ring.empty()) return 0;
  const RingBackwards bytes(ring, writePosition);
  int32_t rowsLeft = grid.rows;
  // Whole lines from the newest back: each ends just before the line feed `end` bytes back
  // (the newest at the write position) and begins after the line feed before it. A line's
  // rows are laid out from its beginning, as drawing will lay them out.
  uint32_t end = 0;
  while (true) {
    uint32_t begin = end;
    while (begin < bytes.size() && bytes.back(begin + 1) != '\n') ++begin;
    const int32_t rows = layOutLine(bytes, begin, end, grid.columns, [](uint32_t) { return true; });
    if (rows >= rowsLeft) return rowStart(bytes, begin, end, grid.columns, rows - rowsLeft);
    rowsLeft -= rows;
    if (begin >= bytes.size()) return bytes.size();
    end = begin + 1;
  }
}

void layoutVisibleOutput(std::span<const char> ring, uint32_t writePosition, ConsoleGrid grid,
                         std::vector<OutputGlyph>& glyphs) {
  glyphs.clear();
  if (ring.empty()) return;
  const RingBackwards bytes(ring, writePosition);
  OutputLineBreaker breaker(grid.columns);
  int32_t line = 0;
  for (uint32_t distance = visibleOutputLength(ring, writePosition, grid);
       distance > 0 && line < grid.rows; --distance) {
    const char byte = bytes.back(distance);
    if (byte != '\t' && byte != '\r' && byte != '\n') {
      glyphs.push_back({uint8_t(byte), breaker.column(), line});
    }
    if (breaker.advance(byte)) ++line;
  }
}

int32_t firstShownInputCharacter(int32_t length, int32_t cursor, int32_t columns) {
  if (length <= columns - 1) return 0;
  return std::max(cursor - columns + 1, 0);
}

}  // namespace console
