#pragma once
// Drawing shared by the widgets, on the current 2D projection.

#include <string_view>

#include "game/gui/gui_widget.h"

class TextureHandle;

// Texture coordinates of a quad's top-left (u0, v0) and bottom-right (u1, v1) corners.
struct TextureArea {
  float u0 = 0.0f;
  float v0 = 0.0f;
  float u1 = 1.0f;
  float v1 = 1.0f;
};

// The texture's `area` over (x, y)-(x + w, y + h), blended by its alpha and tinted by
// `colour`.
void drawTexturedQuad(const TextureHandle& texture, float x, float y, float w, float h,
                      const TextureArea& area, const GuiColour& colour);
// The whole texture over (x, y)-(x + w, y + h), its top-left texel at the top-left corner.
void drawSprite(const TextureHandle& texture, float x, float y, float w, float h,
                const GuiColour& colour);
// The texture at its own pixel size, centred on (cx, cy).
void drawSpriteCentred(const TextureHandle& texture, float cx, float cy, const GuiColour& colour);

// A widget's text look: its font and size, and an optional drop shadow drawn first.
struct TextStyle {
  const TextureHandle* font = nullptr;
  float size = 16.0f;
  GuiColour colour{0.0f, 0.0f, 0.0f, 1.0f};
  bool shadow = false;
  float shadowX = 0.0f;
  float shadowY = 0.0f;
  GuiColour shadowColour{0.0f, 0.0f, 0.0f, 1.0f};
};

// Shadow first, then the text, at (x, y).
void drawStyledText(const TextStyle& style, std::string_view text, float x, float y);
// Shadow first, then the text, centred in the box.
void drawStyledTextCentred(const TextStyle& style, std::string_view text, float x, float y,
                           float w, float h);
