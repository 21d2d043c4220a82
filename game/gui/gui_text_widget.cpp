#include "game/gui/gui_text_widget.h"

#include "game/platform/font_text.h"

namespace {

constexpr float kSmallestTextSize = 4.0f;

}  // namespace

void GuiTextWidget::setTextSize(float size) {
  if (size >= kSmallestTextSize) size_ = size;
}

void GuiTextWidget::setTextShadow(bool on, float offsetX, float offsetY, const GuiColour& colour) {
  shadow_ = on;
  shadowX_ = offsetX;
  shadowY_ = offsetY;
  shadowColour_ = colour;
}

// In high contrast the text's own outline stands in for the shadow.
TextStyle GuiTextWidget::textStyle() const {
  const bool shadow = shadow_ && !highContrastText();
  return {&font_, size_, colour(), shadow, shadowX_, shadowY_, shadowColour_};
}
