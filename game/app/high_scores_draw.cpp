#include <GL/gl.h>

#include "game/app/automation_commands.h"
#include "game/app/high_scores.h"
#include "game/platform/font_text.h"
#include "game/platform/gl_state.h"

void HighScores::drawTexts(float dx, float dy, const GuiColour& colour) const {
  TextStyle style = text_;
  style.shadow = false;
  style.colour = colour;
  drawStyledTextCentred(style, "New high score!", dx, 32.0f + dy, 800.0f, 32.0f);
  drawStyledTextCentred(style, "Please enter name:", dx, 80.0f + dy, 800.0f, 32.0f);
  const std::string line = name_ + (caretOn_ ? "_" : " ");
  drawStyledTextCentred(style, line, dx, 224.0f + dy, 800.0f, 16.0f);
}

void HighScores::onPaint() {
  gl_state::clearScreen(0.0f, 0.0f, 0.0f);
  backdrop_.onPaint();
  gl_state::setup2DProjection();
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glScalef(float(window::clientWidth()) / 800.0f, float(window::clientHeight()) / 600.0f, 1.0f);
  glDisable(GL_TEXTURE_2D);
  glColor4f(0.0f, 0.0f, 0.0f, 0.9f);
  glRectf(0.0f, 0.0f, 800.0f, 600.0f);
  if (!highContrastText()) drawTexts(text_.shadowX, text_.shadowY, text_.shadowColour);
  drawTexts(0.0f, 0.0f, text_.colour);
  okButton_.onPaint();
  gl_state::setup2DProjection();
  drawSprite(cursor_, float(window::cursorX()), float(window::cursorY()), float(cursor_.width()),
             float(cursor_.height()), GuiColour{});
  glPopAttrib();
  automation::takeRequestedScreenshots();
  window::swapBuffers();
}
