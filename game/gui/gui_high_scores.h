#pragma once
// The high-score table as the high-score menu shows it: a heading row, then the ten entries
// with rank, name and score in three columns spaced by the heading size.

#include "game/gui/gui_text_widget.h"

class GuiHighScores : public GuiTextWidget {
 public:
  GuiHighScores() : GuiTextWidget(16.0f) {}

  // Sizes below 4 are ignored.
  void setEntrySize(float size) { setTextSize(size); }
  void setHeadingSize(float size);
  void onPaint() override;

 private:
  // The table once, moved by (dx, dy), in `colour`.
  void drawTable(float dx, float dy, const GuiColour& colour) const;

  float headingSize_ = 32.0f;
};
