#include "game/gui/gui_widget.h"

#include <algorithm>

void GuiWidget::setColour(float r, float g, float b, float a) {
  colour_ = {std::clamp(r, 0.0f, 1.0f), std::clamp(g, 0.0f, 1.0f), std::clamp(b, 0.0f, 1.0f),
             std::clamp(a, 0.0f, 1.0f)};
}

void GuiWidget::setSize(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

void GuiWidget::setPosition(int32_t x, int32_t y) {
  x_ = x;
  y_ = y;
}

bool GuiWidget::contains(int32_t px, int32_t py) const {
  return px >= x_ && px < x_ + width_ && py >= y_ && py < y_ + height_;
}

GuiWidget* GuiWidget::navigationTarget(int32_t key) const {
  const auto found = navigation_.find(key);
  return found == navigation_.end() ? nullptr : found->second;
}
