#include "game/gui/gui_animated_button.h"
#include "game/gui/gui_draw.h"

void GuiAnimatedButton::onPaint() {
  const TextureHandle* frame = currentFrame();
  if (!frame) return;
  const float cx = float(x()) + float(width()) / 2.0f;
  const float cy = float(y()) + float(height()) / 2.0f;
  if (dropShadow_) drawSpriteCentred(*frame, cx + shadowX_, cy + shadowY_, shadowColour_);
  drawSpriteCentred(*frame, cx, cy, colour());
}
