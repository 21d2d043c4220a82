#pragma once
// A picture stretched over the widget's rectangle, showing a source rectangle of its texture
// (in texture pixels; a rectangle larger than the texture repeats it).

#include <string_view>

#include "game/gui/gui_widget.h"
#include "game/platform/texture_handle.h"

struct SourceRectangle {
  float x = 0.0f;
  float y = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
};

class GuiImage : public GuiWidget {
 public:
  // Falls back to the embedded image `fallbackName`; the source rectangle becomes the whole
  // picture and the widget keeps its size.
  void setImage(std::string_view fileName, std::string_view fallbackName = "DEFAULT_TEXTURE");
  const TextureHandle& image() const { return image_; }
  void setSource(const SourceRectangle& source) { source_ = source; }
  const SourceRectangle& source() const { return source_; }
  void onPaint() override;

 private:
  TextureHandle image_;
  SourceRectangle source_;
};
