#include "game/console/console_draw.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/console/console.h"
#include "game/console/console_layout.h"
#include "game/platform/font_text.h"
#include "game/platform/gl_state.h"
#include "game/platform/platform_services.h"
#include "game/platform/texture_handle.h"
#include "game/platform/virtual_keys.h"
#include "game/platform/window.h"

namespace console {
namespace {

// Pixel sizes of the input area's parts, below the output area: a border strip, the input
// line, the cursor.
constexpr float kBorderStrip = 2.0f;
constexpr float kInsertCursorHeight = 1.0f;
constexpr float kOverwriteCursorHeight = 5.0f;
constexpr float kGlyphStep = 1.0f / 16.0f;
// In high contrast the output area is nearly opaque black and all text pure white, so the
// lines read over any level.
constexpr float kHighContrastBacking = 0.85f;
constexpr Colour kHighContrastText{1.0f, 1.0f, 1.0f};

// The areas and text positions of one frame, in client pixels.
struct Layout {
  float width = 0.0f;
  float height = 0.0f;
  float cell = 8.0f;
  ConsoleGrid grid;
  float outputBottom() const { return float(grid.rows) * cell; }
};

void rectangle(float left, float top, float right, float bottom) {
  glVertex2f(left, top);
  glVertex2f(right, top);
  glVertex2f(right, bottom);
  glVertex2f(left, bottom);
}

// The byte's cell of the 16 x 16 font grid, row 0 at the top of the texture.
void glyph(uint8_t byte, float x, float y, float size) {
  const float u = float(byte % 16) * kGlyphStep;
  const float v = float(byte / 16) * kGlyphStep;
  glTexCoord2f(u, v);
  glVertex2f(x, y);
  glTexCoord2f(u + kGlyphStep, v);
  glVertex2f(x + size, y);
  glTexCoord2f(u + kGlyphStep, v + kGlyphStep);
  glVertex2f(x + size, y + size);
  glTexCoord2f(u, v + kGlyphStep);
  glVertex2f(x, y + size);
}

void colour(const Colour& c, float alpha) {
  glColor4f(c.r, c.g, c.b, alpha);
}

// The colours of one frame: the configured ones, or their high-contrast form.
struct Palette {
  Colour outputBackground, outputText, inputBackground, inputBorder, inputText;
};

Palette paletteOfFrame(const ConsoleStyle& style) {
  Palette p{style.outputBackground, style.outputText, style.inputBackground, style.inputBorder,
            style.inputText};
  if (!highContrastText()) return p;
  p.outputBackground = {0.0f, 0.0f, 0.0f, std::max(p.outputBackground.a, kHighContrastBacking)};
  p.outputText = p.inputText = kHighContrastText;
  return p;
}

// The translucent output area, then opaque: a border strip, the input area, a border strip
// down to the window's bottom.
void drawAreas(const Layout& layout, const Palette& look) {
  const float top = layout.outputBottom();
  const float inputBottom = top + 4.0f * layout.cell - kBorderStrip;
  glBegin(GL_QUADS);
  colour(look.outputBackground, look.outputBackground.a);
  rectangle(0.0f, 0.0f, layout.width, top);
  glEnd();
  glDisable(GL_BLEND);
  glBegin(GL_QUADS);
  colour(look.inputBorder, 1.0f);
  rectangle(0.0f, top, layout.width, top + kBorderStrip);
  colour(look.inputBackground, 1.0f);
  rectangle(0.0f, top + kBorderStrip, layout.width, inputBottom);
  colour(look.inputBorder, 1.0f);
  rectangle(0.0f, inputBottom, layout.width, layout.height);
  glEnd();
}

void drawOutputText(const Layout& layout, const Palette& look) {
  // Kept between frames so that drawing allocates nothing once the screen has been full.
  static std::vector<OutputGlyph> glyphs;
  layoutVisibleOutput(outputRing(), writePosition(), layout.grid, glyphs);
  colour(look.outputText, 1.0f);
  glBegin(GL_QUADS);
  for (const OutputGlyph& g : glyphs) {
    glyph(g.byte, float(g.column) * layout.cell, float(g.line) * layout.cell, layout.cell);
  }
  glEnd();
}

void drawInputText(const Layout& layout, const Palette& look) {
  const std::string& line = inputLine();
  const int32_t first =
      firstShownInputCharacter(int32_t(line.size()), cursorPosition(), layout.grid.columns);
  const float y = layout.outputBottom() + 1.5f * layout.cell;
  colour(look.inputText, 1.0f);
  glBegin(GL_QUADS);
  for (int32_t i = first; i < int32_t(line.size()) && i - first < layout.grid.columns; ++i) {
    glyph(uint8_t(line[size_t(i)]), float(i - first) * layout.cell, y, layout.cell);
  }
  glEnd();
}

// White, a thin line in insert mode and a block in overwrite mode.
void drawCursor(const Layout& layout) {
  const int32_t column = std::min(cursorPosition(), layout.grid.columns - 1);
  const float left = float(column) * layout.cell;
  const float top = layout.outputBottom() + 3.0f * layout.cell - 1.0f;
  const bool insert = platform::services().isKeyToggled(vk::kInsert);
  const float height = insert ? kInsertCursorHeight : kOverwriteCursorHeight;
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  rectangle(left, top, left + layout.cell, top + height);
  glEnd();
}

void prepareState() {
  gl_state::pushAllState();
  gl_state::setup2DProjection();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  glDisable(GL_CULL_FACE);
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

}  // namespace

void drawConsole() {
  const ConsoleStyle& configured = style();
  const Palette look = paletteOfFrame(configured);
  Layout layout;
  layout.width = float(window::clientWidth());
  layout.height = float(window::clientHeight());
  layout.cell = float(configured.fontSize);
  layout.grid = consoleGrid(window::clientWidth(), window::clientHeight(), configured.fontSize);

  prepareState();
  drawAreas(layout, look);
  const TextureHandle* font = fontTexture();
  if (font != nullptr && font->textureId() != 0) {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, font->textureId());
    drawOutputText(layout, look);
    drawInputText(layout, look);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
  }
  drawCursor(layout);
  gl_state::popAllState();
}

}  // namespace console
