#include "game/gui/gui_high_scores.h"

#include <string>

#include "game/gui/high_score_table.h"

namespace {

// The name and score columns start this many heading sizes right of the rank.
constexpr float kNameColumn = 6.0f;
constexpr float kScoreColumn = 18.0f;

}  // namespace

void GuiHighScores::setHeadingSize(float size) {
  if (size >= 4.0f) headingSize_ = size;
}

void GuiHighScores::drawTable(float dx, float dy, const GuiColour& colour) const {
  TextStyle style = textStyle();
  style.shadow = false;
  style.colour = colour;
  const float heading = headingSize_;
  const float left = float(x()) + dx;
  float top = float(y()) + dy;
  TextStyle headingStyle = style;
  headingStyle.size = heading;
  drawStyledText(headingStyle, "Rank", left, top);
  drawStyledText(headingStyle, "Name", left + kNameColumn * heading, top);
  drawStyledText(headingStyle, "Score", left + kScoreColumn * heading, top);
  top += 2.0f * heading;
  int rank = 1;
  for (const high_scores::HighScoreEntry& entry : high_scores::highScoreTable()) {
    drawStyledText(style, std::to_string(rank++), left, top);
    drawStyledText(style, entry.nameText(), left + kNameColumn * heading, top);
    drawStyledText(style, std::to_string(entry.score), left + kScoreColumn * heading, top);
    top += heading;
  }
}

void GuiHighScores::onPaint() {
  const TextStyle style = textStyle();
  if (style.shadow) drawTable(style.shadowX, style.shadowY, style.shadowColour);
  drawTable(0.0f, 0.0f, style.colour);
}
