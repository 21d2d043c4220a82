// The renderer sorts the water into its three states once per frame and then runs six passes
// (the outlines of water, steam and ice, then their fills), each binding its state's texture
// once and drawing all its sprites as one vertex-array batch. The particle lists and the
// batch keep their memory between frames.

#include "game/water/particle_renderer.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "common/config_file.h"
#include "game/console/console.h"
#include "game/platform/texture_handle.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/water/sprite_batch.h"
#include "game/water/sprite_points.h"

namespace particle_renderer {
namespace {

// The half-size of a sprite before any enlargement: the particle's collision radius.
constexpr float kBaseHalfSize = 2.0f;
// Trail sprites are this much larger than the sprite at the particle itself.
constexpr float kTrailGrowth = 1.0f;
// Alpha factors of the sprites at history1, history2 and history3. The last steam factor is
// a tenth of the water's, so steam leaves hardly any tail.
constexpr std::array<float, 3> kWaterTrailAlpha = {0.5f, 0.25f, 0.125f};
constexpr std::array<float, 3> kSteamTrailAlpha = {0.5f, 0.25f, 0.0125f};
constexpr const char* kHighContrastPrefix = "highContrast_";

Settings settings_;
// On at start-up; a setting made in the console outlasts level changes.
bool particleDraw_ = true;
bool highContrast_ = false;
std::optional<TextureHandle> waterTexture_;
std::optional<TextureHandle> steamTexture_;
std::optional<TextureHandle> iceTexture_;

std::vector<const Particle*> water_;
std::vector<const Particle*> steam_;
std::vector<const Particle*> ice_;
SpriteBatch batch_;

bool particleDrawVariable(bool value, bool set) {
  return console::variableValue(particleDraw_, value, set);
}

bool spritePointsVariable(bool value, bool set) {
  if (set) sprite_points::setEnabled(value);
  return sprite_points::enabled();
}

const console::NamedCommand kEntries[] = {
    {"ParticleDraw", particleDrawVariable},
    {"SpritePoints", spritePointsVariable},
};

// ---- Settings ---------------------------------------------------------------------------

void loadTexture(std::optional<TextureHandle>& texture, const ConfigFile& file,
                 std::string_view key) {
  if (!texture) texture.emplace(file.getString(key), kFallbackSprite);
}

// The state's colours under the key prefix ("" or "highContrast_"); the outline size is the
// state's own in either palette.
SpriteStyle readStyle(const ConfigFile& file, const std::string& state,
                      const std::string& prefix = "") {
  const auto value = [&](std::string_view suffix) {
    return file.getFloat(prefix + state + "_" + std::string(suffix));
  };
  SpriteStyle style;
  style.r = value("color_r");
  style.g = value("color_g");
  style.b = value("color_b");
  style.a = value("color_a");
  style.outlineR = value("outline_color_r");
  style.outlineG = value("outline_color_g");
  style.outlineB = value("outline_color_b");
  style.outlineA = value("outline_color_a");
  style.outlineSize = file.getFloat(state + "_outline_size");
  return style;
}

Settings readSettings(const ConfigFile& file) {
  Settings s;
  s.ice = readStyle(file, "ice");
  s.water = readStyle(file, "water");
  s.steam = readStyle(file, "steam");
  s.highContrastIce = readStyle(file, "ice", kHighContrastPrefix);
  s.highContrastWater = readStyle(file, "water", kHighContrastPrefix);
  s.highContrastSteam = readStyle(file, "steam", kHighContrastPrefix);
  s.steamExpansion = file.getFloat("steamExpansion");
  s.iceExpansion = file.getFloat("iceExpansion");
  s.velocityExpansion = std::fabs(file.getFloat("velocityExpansion"));
  s.maxVelocityExpansion = std::fabs(file.getFloat("maxVelocityExpansion"));
  return s;
}

// ---- Per particle -----------------------------------------------------------------------

// Fast particles are drawn larger, up to a limit.
float speedEnlargement(const Particle& p) {
  return std::min(p.speed * settings_.velocityExpansion, settings_.maxVelocityExpansion);
}

// A particle marked for killing fades out over its kill time.
float fade(const Particle& p) {
  if (!p.killPending) return 1.0f;
  const float killTime = particle_manager::settings().particleKillTime;
  return killTime > 0.0f ? std::max(0.0f, p.killTimer / killTime) : 0.0f;
}

void sortByState() {
  water_.clear();
  steam_.clear();
  ice_.clear();
  for (const Particle& p : particle_manager::particleList())
    (p.isSteam() ? steam_ : water_).push_back(&p);
  // Everything inside a lump is ice, whatever its own temperature says.
  for (const ParticleGroup& group : grouped_particle_mover::groupList())
    for (const Particle& p : group.particles) ice_.push_back(&p);
}

// ---- Passes -----------------------------------------------------------------------------

// One state's look: its style, its texture and how much larger than water its sprites are.
struct StatePass {
  const std::vector<const Particle*>& particles;
  const SpriteStyle& style;
  const std::optional<TextureHandle>& texture;
  float expansion = 0.0f;
};

void drawBatch(const std::optional<TextureHandle>& texture) {
  batch_.draw(texture ? texture->textureId() : 0);
}

void drawOutlines(const StatePass& pass) {
  if (!pass.texture) return;
  batch_.begin(pass.particles.size());
  const SpriteStyle& s = pass.style;
  const float halfSize = kBaseHalfSize + s.outlineSize + pass.expansion;
  for (const Particle* p : pass.particles)
    batch_.addSprite(p->position.x, p->position.y, halfSize + speedEnlargement(*p),
                     {s.outlineR, s.outlineG, s.outlineB, s.outlineA * fade(*p)});
  drawBatch(pass.texture);
}

// The sprite at the particle, then fainter, larger ones along its last three positions.
void drawTrailedFills(const StatePass& pass, const std::array<float, 3>& trailAlpha) {
  if (!pass.texture) return;
  batch_.begin(pass.particles.size() * 4);
  const SpriteStyle& s = pass.style;
  for (const Particle* p : pass.particles) {
    const float h = kBaseHalfSize + pass.expansion + speedEnlargement(*p);
    const float alpha = s.a * fade(*p);
    batch_.addSprite(p->position.x, p->position.y, h, {s.r, s.g, s.b, alpha});
    const std::array<Vec2, 3> trail = {p->history1, p->history2, p->history3};
    for (size_t i = 0; i < trail.size(); ++i)
      batch_.addSprite(trail[i].x, trail[i].y, h + kTrailGrowth,
                       {s.r, s.g, s.b, alpha * trailAlpha[i]});
  }
  drawBatch(pass.texture);
}

void drawIceFills(const StatePass& pass) {
  if (!pass.texture) return;
  batch_.begin(pass.particles.size());
  const SpriteStyle& s = pass.style;
  for (const Particle* p : pass.particles)
    batch_.addSprite(p->position.x, p->position.y,
                     kBaseHalfSize + pass.expansion + speedEnlargement(*p),
                     {s.r, s.g, s.b, s.a * fade(*p)});
  drawBatch(pass.texture);
}

}  // namespace

void initialise() {
  console::print("\nInitialising particle renderer..");
  const ConfigFile file(kConfigPath);
  loadTexture(waterTexture_, file, "waterTexture");
  loadTexture(steamTexture_, file, "steamTexture");
  loadTexture(iceTexture_, file, "iceTexture");
  settings_ = readSettings(file);
  console::addCommands(kEntries);
}

void shutdown() {
  console::print("\nShutting down particle renderer..");
  waterTexture_.reset();
  steamTexture_.reset();
  iceTexture_.reset();
  console::removeCommands(kEntries);
}

void draw() {
  if (!particleDraw_ || !waterTexture_) return;
  sortByState();
  const Settings& s = settings_;
  const StatePass water{water_, highContrast_ ? s.highContrastWater : s.water, waterTexture_, 0.0f};
  const StatePass steam{steam_, highContrast_ ? s.highContrastSteam : s.steam, steamTexture_,
                        s.steamExpansion};
  const StatePass ice{ice_, highContrast_ ? s.highContrastIce : s.ice, iceTexture_, s.iceExpansion};
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  drawOutlines(water);
  drawOutlines(steam);
  drawOutlines(ice);
  drawTrailedFills(water, kWaterTrailAlpha);
  drawTrailedFills(steam, kSteamTrailAlpha);
  drawIceFills(ice);
}

void setHighContrast(bool on) {
  highContrast_ = on;
}

const Settings& settings() {
  return settings_;
}

}  // namespace particle_renderer
