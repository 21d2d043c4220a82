#pragma once
// The state every debug overlay draws in: all OpenGL state saved, flat untextured opaque
// lines over the transform in force, and everything restored when the scope ends, so an
// overlay never disturbs the drawing that follows it.

#include <GL/gl.h>

#include "game/platform/gl_state.h"

class DebugDrawScope {
 public:
  DebugDrawScope() {
    gl_state::pushAllState();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
  }
  ~DebugDrawScope() { gl_state::popAllState(); }
  DebugDrawScope(const DebugDrawScope&) = delete;
  DebugDrawScope& operator=(const DebugDrawScope&) = delete;
};
