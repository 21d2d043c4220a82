#include "game/app/game_config.h"

#include <memory>

#include "common/config_file.h"
#include "game/simulation/level_completion.h"

namespace game_config {
namespace {

struct Config {
  Colour background;
  std::string musicName;
  std::unique_ptr<TextureHandle> pointer;
  std::unique_ptr<TextureHandle> font;
};

Config& config() {
  static Config instance;
  return instance;
}

}  // namespace

void read() {
  Config& c = config();
  const ConfigFile file(level_completion::kGameConfigPath);
  c.background.red = file.getFloat("background_r");
  c.background.green = file.getFloat("background_g");
  c.background.blue = file.getFloat("background_b");
  c.musicName = file.getString("music");
  if (!c.pointer)
    c.pointer = std::make_unique<TextureHandle>(file.getString("cursor"), "DEFAULT_SPRITE");
  if (!c.font) c.font = std::make_unique<TextureHandle>(file.getString("font"), "DEFAULT_FONT");
}

void release() {
  config().pointer.reset();
  config().font.reset();
}

Colour background() {
  return config().background;
}

const std::string& musicName() {
  return config().musicName;
}

const TextureHandle* pointer() {
  return config().pointer.get();
}

const TextureHandle* font() {
  return config().font.get();
}

void reset() {
  config() = Config();
}

}  // namespace game_config
