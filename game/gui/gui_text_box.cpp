#include "game/gui/gui_text_box.h"

#include <algorithm>
#include <cmath>

#include "game/platform/font_text.h"

namespace {

bool isLineBreak(char c) {
  return c == '\r' || c == '\n';
}

bool endsWord(char c) {
  return c == ' ' || isLineBreak(c);
}

// Where the line from `start` ends: after at most `lineBytes` bytes, at a line break, or back
// at the last word end; a line with no word end inside keeps only its first byte.
size_t lineEnd(std::string_view text, size_t start, size_t lineBytes) {
  size_t end = start;
  while (end < text.size() && end - start < lineBytes && !isLineBreak(text[end])) ++end;
  if (end == text.size()) return end;
  if (endsWord(text[end])) return end + 1;
  for (size_t back = end; back > start; --back)
    if (endsWord(text[back - 1])) return back;
  return start + 1;
}

}  // namespace

std::vector<std::string> wrapText(std::string_view text, size_t lineBytes) {
  lineBytes = std::max<size_t>(lineBytes, 1);
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = lineEnd(text, start, lineBytes);
    lines.emplace_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

void GuiTextBox::setText(std::string_view text) {
  text_ = text;
  rewrap();
}

void GuiTextBox::setTextSize(float size) {
  GuiTextWidget::setTextSize(std::max(size, 4.0f));
  rewrap();
}

void GuiTextBox::rewrap() {
  const float perLine = std::trunc(float(width()) / textSize());
  lines_ = wrapText(text_, perLine >= 1.0f ? static_cast<size_t>(perLine) : 1);
}

void GuiTextBox::onPaint() {
  const TextStyle style = textStyle();
  const auto drawLines = [&](const GuiColour& colour, float dx, float dy) {
    float lineY = float(y());
    for (const std::string& line : lines_) {
      float lineX = float(x());
      if (centred_) lineX += float(width()) / 2.0f - float(line.size()) * style.size / 2.0f;
      drawText(*style.font, line, std::trunc(lineX) + dx, std::trunc(lineY) + dy, style.size,
               colour.r, colour.g, colour.b, colour.a);
      lineY += style.size;
    }
  };
  // All shadows first, so no line's shadow falls over the text of the line above.
  if (style.shadow) drawLines(style.shadowColour, style.shadowX, style.shadowY);
  drawLines(style.colour, 0.0f, 0.0f);
}
