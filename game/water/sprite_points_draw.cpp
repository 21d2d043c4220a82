// The program reads each point's centre, half-size and colour. The vertex stage places the
// point and sizes it to the bounding square of the quad on screen; the fragment stage maps
// its window position back to an offset in the world with the inverse of the view's scale
// and turn, which gives the quad's texture coordinate exactly, as the view is affine.

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/console_output.h"
#include "game/water/sprite_points.h"

namespace sprite_points {
namespace {

constexpr GLuint kHalfSizeAttribute = 1;
// Added to each point's bounding square, in pixels, for rounding.
constexpr float kPointMargin = 1.0f;

// The level of detail is worked out once per point, as the software rasteriser works it out
// for a quad's pixels: from the texels per pixel, with its piecewise linear log2 (the
// exponent plus the mantissa less one), so the two mix the same mipmap levels.
constexpr const char* kVertexSource = R"(#version 120
attribute float halfSize;
uniform vec2 viewportHalf;
uniform vec2 viewportOrigin;
uniform float boundingScale;
uniform float pointMargin;
uniform float pixelsPerUnit;
uniform float textureSize;
varying vec2 centreInWindow;
varying float inverseSize;
varying float detail;
varying vec4 tint;
void main() {
  gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
  centreInWindow = (gl_Position.xy / gl_Position.w + 1.0) * viewportHalf + viewportOrigin;
  gl_PointSize = 2.0 * halfSize * boundingScale + pointMargin;
  inverseSize = 0.5 / halfSize;
  float texelsPerPixel = textureSize * inverseSize / pixelsPerUnit;
  float exponent = floor(log2(texelsPerPixel));
  detail = exponent + texelsPerPixel / exp2(exponent) - 1.0;
  tint = clamp(gl_Color, 0.0, 1.0);
}
)";

// Pixels outside the quad are discarded; its texture coordinates run over [0, 1).
constexpr const char* kFragmentSource = R"(#version 120
#extension GL_ARB_shader_texture_lod : require
uniform sampler2D sprite;
uniform mat2 windowToWorld;
varying vec2 centreInWindow;
varying float inverseSize;
varying float detail;
varying vec4 tint;
void main() {
  vec2 coordinate = 0.5 + windowToWorld * (gl_FragCoord.xy - centreInWindow) * inverseSize;
  if (any(lessThan(coordinate, vec2(0.0))) || any(greaterThanEqual(coordinate, vec2(1.0))))
    discard;
  gl_FragColor = texture2DLod(sprite, coordinate, detail) * tint;
}
)";

bool enabled_ = true;

struct Program {
  GLuint id = 0;
  bool failed = false;
  GLint viewportHalf = -1, viewportOrigin = -1, boundingScale = -1, windowToWorld = -1;
  GLint sprite = -1, pixelsPerUnit = -1, textureSize = -1, pointMargin = -1;
  float largestPoint = 0.0f;
};

// Each thread with a context of its own builds its own program.
thread_local Program program_;

std::string infoLog(GLuint object, bool isProgram) {
  std::array<char, 512> log{};
  if (isProgram)
    glGetProgramInfoLog(object, GLsizei(log.size()), nullptr, log.data());
  else
    glGetShaderInfoLog(object, GLsizei(log.size()), nullptr, log.data());
  return log.data();
}

GLuint compile(GLenum stage, const char* source, std::string& error) {
  const GLuint shader = glCreateShader(stage);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (!compiled) error = infoLog(shader, false);
  return shader;
}

// The program, or 0 where the driver can't run it (said once on the console).
GLuint link() {
  std::string error;
  const GLuint vertex = compile(GL_VERTEX_SHADER, kVertexSource, error);
  const GLuint fragment = compile(GL_FRAGMENT_SHADER, kFragmentSource, error);
  GLuint id = glCreateProgram();
  glAttachShader(id, vertex);
  glAttachShader(id, fragment);
  glBindAttribLocation(id, kHalfSizeAttribute, "halfSize");
  glLinkProgram(id);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint linked = GL_FALSE;
  glGetProgramiv(id, GL_LINK_STATUS, &linked);
  if (!linked || !error.empty()) {
    if (error.empty()) error = infoLog(id, true);
    glDeleteProgram(id);
    console::print("\nSprites are drawn as quads: the sprite point program failed: " + error);
    return 0;
  }
  return id;
}

std::string glText(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text != nullptr ? text : "";
}

// Points pay only where the driver rasterises on the processor; a graphics card draws the
// quads as fast and works out their level of detail its own way.
bool softwareRendererWithPrograms() {
  const std::string renderer = glText(GL_RENDERER);
  const bool software = renderer.find("llvmpipe") != std::string::npos ||
                        renderer.find("softpipe") != std::string::npos;
  return software && std::atoi(glText(GL_VERSION).c_str()) >= 2 &&
         glText(GL_EXTENSIONS).find("GL_ARB_shader_texture_lod") != std::string::npos;
}

bool ready() {
  Program& p = program_;
  if (p.failed) return false;
  if (p.id != 0 && glIsProgram(p.id)) return true;
  p = Program{};
  p.id = softwareRendererWithPrograms() ? link() : 0;
  if (p.id == 0) {
    p.failed = true;
    return false;
  }
  p.viewportHalf = glGetUniformLocation(p.id, "viewportHalf");
  p.viewportOrigin = glGetUniformLocation(p.id, "viewportOrigin");
  p.boundingScale = glGetUniformLocation(p.id, "boundingScale");
  p.windowToWorld = glGetUniformLocation(p.id, "windowToWorld");
  p.sprite = glGetUniformLocation(p.id, "sprite");
  p.pixelsPerUnit = glGetUniformLocation(p.id, "pixelsPerUnit");
  p.textureSize = glGetUniformLocation(p.id, "textureSize");
  p.pointMargin = glGetUniformLocation(p.id, "pointMargin");
  std::array<GLfloat, 2> range{};
  glGetFloatv(GL_ALIASED_POINT_SIZE_RANGE, range.data());
  p.largestPoint = range[1];
  return true;
}

// How the view maps the world to window pixels: the linear part, column by column, and
// the viewport.
struct View {
  float a00 = 0.0f, a10 = 0.0f, a01 = 0.0f, a11 = 0.0f;
  std::array<GLint, 4> viewport{};
  float determinant() const { return a00 * a11 - a01 * a10; }
  // The half-width of a square of half-size 1 on screen, turned or not.
  float boundingScale() const {
    return std::max(std::fabs(a00) + std::fabs(a01), std::fabs(a10) + std::fabs(a11));
  }
};

// False for a view with perspective, which points can't follow.
bool readView(View& view) {
  std::array<GLfloat, 16> mv{}, pr{};
  glGetFloatv(GL_MODELVIEW_MATRIX, mv.data());
  glGetFloatv(GL_PROJECTION_MATRIX, pr.data());
  glGetIntegerv(GL_VIEWPORT, view.viewport.data());
  std::array<float, 16> m{};  // projection times modelview, column-major
  for (int col = 0; col < 4; ++col)
    for (int row = 0; row < 4; ++row)
      for (int k = 0; k < 4; ++k) m[col * 4 + row] += pr[k * 4 + row] * mv[col * 4 + k];
  if (m[3] != 0.0f || m[7] != 0.0f || m[15] == 0.0f) return false;
  const float halfWidth = 0.5f * float(view.viewport[2]) / m[15];
  const float halfHeight = 0.5f * float(view.viewport[3]) / m[15];
  view.a00 = m[0] * halfWidth;
  view.a10 = m[1] * halfHeight;
  view.a01 = m[4] * halfWidth;
  view.a11 = m[5] * halfHeight;
  return std::fabs(view.determinant()) > 1e-12f;
}

// Every sprite has a size a point can take: above nothing (a quad turned inside out by a
// negative size shows mirrored, which a point can't) and within the driver's largest point.
bool pointsFit(const Sprite* sprites, size_t count, const View& view, float largestPoint) {
  float smallest = sprites[0].halfSize, largest = sprites[0].halfSize;
  for (size_t i = 1; i < count; ++i) {
    smallest = std::min(smallest, sprites[i].halfSize);
    largest = std::max(largest, sprites[i].halfSize);
  }
  return smallest > 0.0f && 2.0f * largest * view.boundingScale() + kPointMargin <= largestPoint;
}

void setUniforms(const Program& p, const View& view) {
  const float inverse = 1.0f / view.determinant();
  const std::array<GLfloat, 4> windowToWorld = {view.a11 * inverse, -view.a10 * inverse,
                                                -view.a01 * inverse, view.a00 * inverse};
  glUniform2f(p.viewportHalf, 0.5f * float(view.viewport[2]), 0.5f * float(view.viewport[3]));
  glUniform2f(p.viewportOrigin, float(view.viewport[0]), float(view.viewport[1]));
  glUniform1f(p.boundingScale, view.boundingScale());
  glUniform1f(p.pointMargin, kPointMargin);
  glUniformMatrix2fv(p.windowToWorld, 1, GL_FALSE, windowToWorld.data());
  glUniform1i(p.sprite, 0);
  glUniform1f(p.pixelsPerUnit, std::sqrt(std::fabs(view.determinant())));
  GLint width = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glUniform1f(p.textureSize, float(width));
}

void drawPoints(const Sprite* sprites, size_t count) {
  constexpr GLsizei kStride = sizeof(Sprite);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(2, GL_FLOAT, kStride, &sprites->x);
  glColorPointer(4, GL_FLOAT, kStride, &sprites->colour.r);
  glEnableVertexAttribArray(kHalfSizeAttribute);
  glVertexAttribPointer(kHalfSizeAttribute, 1, GL_FLOAT, GL_FALSE, kStride, &sprites->halfSize);
  glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
  glDrawArrays(GL_POINTS, 0, GLsizei(count));
  glDisable(GL_VERTEX_PROGRAM_POINT_SIZE);
  glDisableVertexAttribArray(kHalfSizeAttribute);
  glPopClientAttrib();
}

}  // namespace

bool draw(const Sprite* sprites, size_t count) {
  if (!enabled_ || !ready()) return false;
  View view;
  if (count == 0 || !readView(view) || !pointsFit(sprites, count, view, program_.largestPoint))
    return false;
  glUseProgram(program_.id);
  setUniforms(program_, view);
  drawPoints(sprites, count);
  glUseProgram(0);
  return true;
}

bool available() {
  return ready();
}

void setEnabled(bool on) {
  enabled_ = on;
}

bool enabled() {
  return enabled_;
}

}  // namespace sprite_points
