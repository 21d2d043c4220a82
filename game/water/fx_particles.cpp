// The sprites live in one array in the order they were born. Each step ages and moves them
// and closes the gaps the dead leave in the same pass, so the order holds and nothing is
// allocated once the array has grown to the level's busiest moment. For drawing, the sprites
// near the view are copied into runs, one vertex array per texture and blend mode; the runs
// are kept from frame to frame and only refilled.

#include "game/water/fx_particles.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/config_file.h"
#include "common/random.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"

namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr int32_t kMaxBurstSize = 4096;
static_assert(kMaxBurstSize <= fx_particles::kMostSpritesPerEmitter, "a whole burst fits");
static_assert(sizeof(FxParticle) == 64, "the sprite's size is written next to it");

// The ranges of a settings file's numbers: far beyond every shipped effect (lifetimes of a few
// seconds, speeds of a few hundred units), and finite whatever the file says.
struct Range {
  float least, most;
  float operator()(float value) const { return std::clamp(value, least, most); }
};
constexpr Range kIntervalRange{0.001f, 3600.0f};  // seconds between emissions
constexpr Range kSpreadRange{-360.0f, 360.0f};    // degrees
constexpr Range kGravityRange{-1000.0f, 1000.0f};
constexpr Range kSizeRange{0.0f, 1000.0f};  // units; a view is 800 across
constexpr Range kLiveTimeRange{0.0001f, 60.0f};
constexpr Range kSpeedRange{-10000.0f, 10000.0f};  // units per second
constexpr Range kChannelRange{0.0f, 1.0f};

std::list<FxEmitter> emitterList_;
std::vector<FxParticle> particleList_;
// Grows to the most runs a frame has needed and is then reused; only the first runCount_
// are this frame's.
std::vector<FxSpriteRun> runs_;
size_t runCount_ = 0;
bool emitterDraw_ = false;

// Both keys of a range, or neither: a half-given range keeps the old one.
void readRange(const ConfigFile& file, std::string_view key1, std::string_view key2, Range range,
               float& value1, float& value2) {
  if (!file.has(key1) || !file.has(key2)) return;
  value1 = range(file.getFloat(key1));
  value2 = range(file.getFloat(key2));
}

void readColours(const ConfigFile& file, FxEmitter& emitter) {
  static constexpr std::string_view kKeys[8] = {"color_1_r", "color_1_g", "color_1_b", "color_1_a",
                                                "color_2_r", "color_2_g", "color_2_b", "color_2_a"};
  for (std::string_view key : kKeys)
    if (!file.has(key)) return;
  float* channels[8] = {&emitter.color1.r, &emitter.color1.g, &emitter.color1.b, &emitter.color1.a,
                        &emitter.color2.r, &emitter.color2.g, &emitter.color2.b, &emitter.color2.a};
  for (int i = 0; i < 8; ++i) *channels[i] = kChannelRange(file.getFloat(kKeys[i]));
}

void readTextures(const ConfigFile& file, FxEmitter& emitter) {
  emitter.textures.clear();
  emitter.textures.reserve(8);
  for (int i = 1; i <= 8; ++i) {
    const std::string key = "texture" + std::to_string(i);
    if (file.has(key)) emitter.textures.emplace_back(file.getString(key), "DEFAULT_SPRITE");
  }
}

// ---- Console entries -------------------------------------------------------------------

int32_t emitterCountCommand() {
  return static_cast<int32_t>(emitterList_.size());
}

int32_t particleCountCommand() {
  return static_cast<int32_t>(particleList_.size());
}

bool emitterDrawVariable(bool value, bool set) {
  return console::variableValue(emitterDraw_, value, set);
}

void printCreateUsage() {
  console::print("\nUSAGE: Emitter create ");
  console::print("< x : number > < y : number > ");
  console::print("< dir_x : number > < dir_y : number > ");
  console::print("< id : integer > ");
  console::print("< emitter settings : fileName > ");
  console::print("(at most " + std::to_string(fx_particles::kMostSpritesPerEmitter) +
                 " sprites alive per emitter and " + std::to_string(fx_particles::kMostSprites) +
                 " in all)");
}

// "FxEmitterCreate x y dir_x dir_y id settings"
void emitterCreateCommand(const std::string& arguments) {
  const std::vector<std::string> words = splitWords(arguments);
  bool valid = words.size() == 6 && isInteger(words[4]);
  for (size_t i = 0; valid && i < 4; ++i) valid = isNumber(words[i]);
  if (!valid) {
    printCreateUsage();
    return;
  }
  FxEmitter emitter = fx_particles::createEmitter();
  emitter.setPosition(toNumber(words[0]), toNumber(words[1]));
  emitter.setDirection(toNumber(words[2]), toNumber(words[3]));
  emitter.setId(static_cast<uint32_t>(toInteger(words[4])));
  emitter.loadSettings(words[5]);
  fx_particles::addEmitter(std::move(emitter));
}

// Registered by initialise and removed by shutdown, both from this table.
const console::NamedCommand kEntries[] = {
    {"FxEmitterCreate", emitterCreateCommand, console::InReplay::kPlayed},
    {"FxEmitterDraw", emitterDrawVariable},
    {"FxEmitterCount", emitterCountCommand},
    {"FxParticleCount", particleCountCommand},
};

// ---- Step -------------------------------------------------------------------------------

// The area in which emitters work and sprites are drawn: a square of the view's longer side
// around the camera centre, widened to the bounding box of the turned view so that the
// corners of a turned view are covered too. Two comparisons a sprite keep it cheap.
struct ViewArea {
  Vec2 centre;
  Vec2 halfSize;

  static ViewArea current() {
    const float halfWidth = camera::viewWidth() * 0.5f * camera::zoom();
    const float halfHeight = camera::viewHeight() * 0.5f * camera::zoom();
    const float square = std::max(halfWidth, halfHeight);
    const float radians = camera::angle() * kDegreesToRadians;
    const float c = std::abs(std::cos(radians));
    const float s = std::abs(std::sin(radians));
    return {camera::centre(),
            {std::max(square, halfWidth * c + halfHeight * s),
             std::max(square, halfWidth * s + halfHeight * c)}};
  }
  // Edges count as inside.
  bool contains(Vec2 p, float margin = 0.0f) const {
    return std::abs(p.x - centre.x) <= halfSize.x + margin &&
           std::abs(p.y - centre.y) <= halfSize.y + margin;
  }
};

float lerp(float a, float b, float u) {
  return a * u + b * (1.0f - u);
}

Vec2 rotated(Vec2 v, float radians) {
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  return {v.x * c - v.y * s, v.x * s + v.y * c};
}

void emitOverTime(FxEmitter& emitter, const ViewArea& view, float dt) {
  if (!emitter.active || !view.contains(emitter.position)) return;
  emitter.timeAccumulator += dt;
  while (emitter.timeAccumulator >= emitter.interval) {
    emitter.timeAccumulator -= emitter.interval;
    fx_particles::emit(emitter);
  }
}

// Ages, moves and drops every sprite; the dead are removed in one pass that keeps the order.
void moveSprites(float dt) {
  const Vec2 g = particle_manager::gravityStep(dt);
  auto alive = particleList_.begin();
  for (FxParticle& sprite : particleList_) {
    sprite.lifeLeft -= dt;
    if (sprite.lifeLeft <= 0.0f) {
      --sprite.source->liveSprites;
      continue;
    }
    sprite.position += sprite.velocity * dt;
    sprite.velocity += g * sprite.gravityFactor * dt;
    *alive++ = sprite;
  }
  particleList_.erase(alive, particleList_.end());
}

// ---- Sprite runs ------------------------------------------------------------------------

FxSpriteRun& runFor(uint32_t textureId, bool additive) {
  for (size_t i = 0; i < runCount_; ++i)
    if (runs_[i].textureId == textureId && runs_[i].additive == additive) return runs_[i];
  if (runCount_ == runs_.size()) runs_.emplace_back();
  FxSpriteRun& run = runs_[runCount_++];
  run.textureId = textureId;
  run.additive = additive;
  run.batch.begin(0);
  return run;
}

}  // namespace

void FxEmitter::setDirection(float dx, float dy) {
  if (dx == 0.0f && dy == 0.0f) {
    const float u1 = rng::uniform();
    dx = u1 - 0.5f;
    dy = rng::uniform() - 0.5f;
  }
  direction = normalised({dx, dy});
}

void FxEmitter::loadSettings(std::string_view fileName) {
  const ConfigFile file(fileName);
  file.read("active", active);
  if (file.has("frequency")) interval = kIntervalRange(file.getFloat("frequency"));
  if (file.has("burstSize")) {
    const int32_t size = file.getInt("burstSize");
    burstSize = size < 0 || size > kMaxBurstSize ? kMaxBurstSize : size;
  }
  if (file.has("spread")) spread = kSpreadRange(file.getFloat("spread")) * kDegreesToRadians;
  readRange(file, "gravity_1", "gravity_2", kGravityRange, gravity1, gravity2);
  readRange(file, "size_1", "size_2", kSizeRange, size1, size2);
  readRange(file, "liveTime_1", "liveTime_2", kLiveTimeRange, liveTime1, liveTime2);
  readRange(file, "velocity_1", "velocity_2", kSpeedRange, velocity1, velocity2);
  file.read("useAlphaBlending", useAlphaBlending);
  readColours(file, *this);
  readTextures(file, *this);
}

namespace fx_particles {

void initialise() {
  shutdown();
  emitterDraw_ = false;
  console::print("\nInitialising FX particle manager..");
  console::addCommands(kEntries);
}

void shutdown() {
  console::print("\nShutting down FX particle manager..");
  particleList_.clear();
  emitterList_.clear();
  console::removeCommands(kEntries);
}

FxEmitter createEmitter() {
  return FxEmitter{};
}

void addEmitter(FxEmitter emitter) {
  emitterList_.push_back(std::move(emitter));
}

std::list<FxEmitter>& emitterList() {
  return emitterList_;
}

const std::vector<FxParticle>& particleList() {
  return particleList_;
}

// Every property draws a random number of its own, in the order below.
void emit(FxEmitter& emitter) {
  if (emitter.textures.empty() || emitter.liveSprites >= kMostSpritesPerEmitter ||
      particleList_.size() >= kMostSprites)
    return;
  FxParticle& sprite = particleList_.emplace_back();
  sprite.source = &emitter;
  ++emitter.liveSprites;
  sprite.useAlphaBlending = emitter.useAlphaBlending;
  sprite.position = emitter.position;
  const float turn = rng::uniform() * emitter.spread - emitter.spread * 0.5f;
  const Vec2 direction = rotated(emitter.direction, turn);
  const float u = rng::uniform();
  sprite.color = {
      lerp(emitter.color1.r, emitter.color2.r, u), lerp(emitter.color1.g, emitter.color2.g, u),
      lerp(emitter.color1.b, emitter.color2.b, u), lerp(emitter.color1.a, emitter.color2.a, u)};
  sprite.velocity = direction * lerp(emitter.velocity1, emitter.velocity2, rng::uniform());
  sprite.gravityFactor = lerp(emitter.gravity1, emitter.gravity2, rng::uniform());
  sprite.size = lerp(emitter.size1, emitter.size2, rng::uniform());
  sprite.lifetime = lerp(emitter.liveTime1, emitter.liveTime2, rng::uniform());
  sprite.lifeLeft = sprite.lifetime;
  sprite.textureId = emitter.textures[rng::raw() % emitter.textures.size()].textureId();
}

void burst(FxEmitter& emitter) {
  for (int32_t i = 0; i < emitter.burstSize; ++i) emit(emitter);
}

void step(float dt) {
  const ViewArea view = ViewArea::current();
  for (FxEmitter& emitter : emitterList_) emitOverTime(emitter, view, dt);
  moveSprites(dt);
}

// Sprites far from the view are not drawn: a sprite counts while its square reaches into the
// emitters' area.
std::span<const FxSpriteRun> buildSpriteRuns() {
  runCount_ = 0;
  const ViewArea view = ViewArea::current();
  FxSpriteRun* last = nullptr;
  for (const FxParticle& sprite : particleList_) {
    const float half = sprite.size * 0.5f;
    if (!view.contains(sprite.position, half)) continue;
    const bool additive = !sprite.useAlphaBlending;
    if (last == nullptr || last->textureId != sprite.textureId || last->additive != additive)
      last = &runFor(sprite.textureId, additive);
    const Colour4& c = sprite.color;
    last->batch.addSprite(sprite.position.x, sprite.position.y, half,
                          {c.r, c.g, c.b, c.a * sprite.lifeLeft / sprite.lifetime});
  }
  std::sort(runs_.begin(), runs_.begin() + ptrdiff_t(runCount_),
            [](const FxSpriteRun& a, const FxSpriteRun& b) {
              return a.textureId != b.textureId ? a.textureId < b.textureId
                                                : a.additive < b.additive;
            });
  return {runs_.data(), runCount_};
}

bool emitterDrawFlag() {
  return emitterDraw_;
}

}  // namespace fx_particles
