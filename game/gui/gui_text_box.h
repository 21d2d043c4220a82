#pragma once
// A block of text wrapped to the widget's width. Every character is as wide as the text
// size, so a line holds trunc(width / size) bytes; lines break after a blank or a line break,
// and a word longer than a line is cut.

#include <string>
#include <string_view>
#include <vector>

#include "game/gui/gui_text_widget.h"

// `text` cut into lines of at most `lineBytes` (at least 1). Each line keeps the blank or
// line-break byte that ended it; a word too long for a line starts a line of one byte.
std::vector<std::string> wrapText(std::string_view text, size_t lineBytes);

class GuiTextBox : public GuiTextWidget {
 public:
  GuiTextBox() : GuiTextWidget(8.0f) {}

  // Both re-wrap with the width set at that moment, so the width comes first.
  void setText(std::string_view text);
  // Sizes below 4 become 4.
  void setTextSize(float size) override;
  void setCentred(bool on) { centred_ = on; }
  const std::vector<std::string>& lines() const { return lines_; }
  void onPaint() override;

 private:
  void rewrap();

  std::string text_;
  std::vector<std::string> lines_;
  bool centred_ = false;
};
