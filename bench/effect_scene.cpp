#include "effect_scene.h"

#include <array>
#include <string_view>

#include "game/water/fx_particles.h"
#include "game/world/camera.h"

namespace {

constexpr int kEmitters = 20;
constexpr float kLifetime = 2.0f;
constexpr std::array<std::string_view, 4> kSettings = {"fx\\splash.cfg", "fx\\spark.cfg",
                                                       "fx\\smoke.cfg", "fx\\steam.cfg"};

}  // namespace

void addBenchEmitters(int64_t sprites, float step) {
  if (sprites <= 0) return;
  const Vec2 centre = camera::centre();
  for (int i = 0; i < kEmitters; ++i) {
    FxEmitter emitter = fx_particles::createEmitter();
    emitter.setPosition(centre.x - 300.0f + 30.0f * float(i), centre.y - 100.0f);
    emitter.setDirection(0.0f, -1.0f);
    emitter.loadSettings(kSettings[size_t(i) % kSettings.size()]);
    emitter.active = true;
    emitter.interval = kLifetime * float(kEmitters) / float(sprites);
    emitter.liveTime1 = emitter.liveTime2 = kLifetime;
    fx_particles::addEmitter(std::move(emitter));
  }
  for (float t = 0.0f; t < kLifetime; t += step) fx_particles::step(step);
}
