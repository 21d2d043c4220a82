#include "game/gui/gui_text_widget.h"

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

TextStyle GuiTextWidget::textStyle() const {
  return {&font_, size_, colour(), shadow_, shadowX_, shadowY_, shadowColour_};
}
