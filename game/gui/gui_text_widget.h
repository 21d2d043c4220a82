#pragma once
// What the text widgets share: a font, a text size and an optional drop shadow. Their colour
// starts as opaque black.

#include <string_view>

#include "game/gui/gui_draw.h"
#include "game/gui/gui_widget.h"
#include "game/platform/texture_handle.h"

class GuiTextWidget : public GuiWidget {
 public:
  GuiTextWidget() { setColour(0.0f, 0.0f, 0.0f, 1.0f); }

  // Falls back to the built-in font when the file can't be loaded.
  void setFont(std::string_view fileName) { font_ = TextureHandle(fileName, "DEFAULT_FONT"); }
  const TextureHandle& font() const { return font_; }
  // Sizes below 4 are ignored.
  virtual void setTextSize(float size);
  float textSize() const { return size_; }
  void setTextShadow(bool on, float offsetX, float offsetY, const GuiColour& colour);

 protected:
  explicit GuiTextWidget(float size) : GuiTextWidget() { size_ = size; }
  // The font, size, colour and shadow as the drawing helpers take them.
  TextStyle textStyle() const;

 private:
  TextureHandle font_;
  float size_ = 16.0f;
  bool shadow_ = false;
  float shadowX_ = 0.0f;
  float shadowY_ = 0.0f;
  GuiColour shadowColour_{0.0f, 0.0f, 0.0f, 1.0f};
};
