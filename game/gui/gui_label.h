#pragma once
// A line of fixed text at the widget's top-left; line breaks in the text start new lines.

#include <string>
#include <string_view>

#include "game/gui/gui_text_widget.h"

class GuiLabel : public GuiTextWidget {
 public:
  void setText(std::string_view text) { text_ = text; }
  const std::string& text() const { return text_; }
  void onPaint() override { drawStyledText(textStyle(), text_, float(x()), float(y())); }

 private:
  std::string text_;
};
