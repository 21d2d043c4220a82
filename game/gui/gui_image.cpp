#include "game/gui/gui_image.h"

#include "game/gui/gui_draw.h"

void GuiImage::setImage(std::string_view fileName, std::string_view fallbackName) {
  image_ = TextureHandle(fileName, fallbackName);
  source_ = {0.0f, 0.0f, float(image_.width()), float(image_.height())};
}

void GuiImage::onPaint() {
  const float w = float(image_.width());
  const float h = float(image_.height());
  // A texture without a size maps every corner to 0 rather than dividing by zero.
  TextureArea area{0.0f, 0.0f, 0.0f, 0.0f};
  if (w > 0.0f && h > 0.0f)
    area = {source_.x / w, source_.y / h, (source_.x + source_.width) / w,
            (source_.y + source_.height) / h};
  drawTexturedQuad(image_, float(x()), float(y()), float(width()), float(height()), area,
                   colour());
}
