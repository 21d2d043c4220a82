#include "game/gui/gui_level_time_display.h"

#include <cstdio>

#include "game/world/level_record.h"

std::string levelTimeDisplayText(uint32_t ms) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", (ms % 3600000u) / 60000u,
                (ms % 60000u) / 1000u, (ms % 1000u) / 10u);
  return text;
}

GuiLevelTimeDisplay::GuiLevelTimeDisplay() : GuiTextWidget(16.0f) {
  ramp_.time = ramp_.remaining = 5.0f;
}

uint32_t GuiLevelTimeDisplay::shownMs() const {
  if (!mayCount()) return 0;
  return static_cast<uint32_t>(double(level_record::elapsedMs()) * double(ramp_.fraction()));
}

void GuiLevelTimeDisplay::onPaint() {
  drawStyledTextCentred(textStyle(), levelTimeDisplayText(shownMs()), float(x()), float(y()),
                        float(width()), float(height()));
}
