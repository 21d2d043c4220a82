#include "game/water/fx_particles.h"

#include <algorithm>
#include <string>

#include "common/config_file.h"
#include "common/random.h"
#include "game/console/console.h"

namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr int32_t kMaxBurstSize = 4096;
constexpr float kMinInterval = 0.001f;
constexpr float kMinLiveTime = 0.0001f;

std::list<FxEmitter> emitterList_;

// Both keys of a range, or neither: a half-given range keeps the old one.
bool readRange(const ConfigFile& file, std::string_view key1, std::string_view key2, float& value1,
               float& value2) {
  if (!file.has(key1) || !file.has(key2)) return false;
  value1 = file.getFloat(key1);
  value2 = file.getFloat(key2);
  return true;
}

void readColours(const ConfigFile& file, FxEmitter& emitter) {
  static constexpr std::string_view kKeys[8] = {"color_1_r", "color_1_g", "color_1_b", "color_1_a",
                                                "color_2_r", "color_2_g", "color_2_b", "color_2_a"};
  for (std::string_view key : kKeys)
    if (!file.has(key)) return;
  float* channels[8] = {&emitter.color1.r, &emitter.color1.g, &emitter.color1.b, &emitter.color1.a,
                        &emitter.color2.r, &emitter.color2.g, &emitter.color2.b, &emitter.color2.a};
  for (int i = 0; i < 8; ++i) *channels[i] = file.getFloat(kKeys[i]);
}

void readTextures(const ConfigFile& file, FxEmitter& emitter) {
  emitter.textures.clear();
  emitter.textures.reserve(8);
  for (int i = 1; i <= 8; ++i) {
    const std::string key = "texture" + std::to_string(i);
    if (file.has(key)) emitter.textures.emplace_back(file.getString(key), "DEFAULT_SPRITE");
  }
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
  if (file.has("frequency")) interval = std::max(kMinInterval, file.getFloat("frequency"));
  if (file.has("burstSize")) {
    const int32_t size = file.getInt("burstSize");
    burstSize = size < 0 || size > kMaxBurstSize ? kMaxBurstSize : size;
  }
  if (file.has("spread")) spread = file.getFloat("spread") * kDegreesToRadians;
  readRange(file, "gravity_1", "gravity_2", gravity1, gravity2);
  readRange(file, "size_1", "size_2", size1, size2);
  if (readRange(file, "liveTime_1", "liveTime_2", liveTime1, liveTime2)) {
    liveTime1 = std::max(kMinLiveTime, liveTime1);
    liveTime2 = std::max(kMinLiveTime, liveTime2);
  }
  readRange(file, "velocity_1", "velocity_2", velocity1, velocity2);
  file.read("useAlphaBlending", useAlphaBlending);
  readColours(file, *this);
  readTextures(file, *this);
}

namespace fx_particles {

void initialise() {
  shutdown();
  console::print("\nInitialising FX particle manager..");
}

void shutdown() {
  console::print("\nShutting down FX particle manager..");
  emitterList_.clear();
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

}  // namespace fx_particles
