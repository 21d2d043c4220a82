#include "game/console/console.h"

#include <algorithm>
#include <optional>

#include "common/config_file.h"
#include "common/messages.h"
#include "game/console/builtin_commands.h"
#include "game/console/console_script.h"
#include "game/platform/texture_handle.h"

namespace console {
namespace {

constexpr std::string_view kFallbackFont = "DEFAULT_FONT";

ConsoleStyle currentStyle;
std::optional<TextureHandle> font;

void printMessageText(std::string_view text) {
  print(text);
}

void readColour(const ConfigFile& config, std::string_view prefix, Colour& colour, bool withAlpha) {
  const std::string key(prefix);
  config.read(key + "_r", colour.r);
  config.read(key + "_g", colour.g);
  config.read(key + "_b", colour.b);
  if (withAlpha) config.read(key + "_a", colour.a);
}

ConsoleStyle readStyle() {
  const ConfigFile config(kConfigPath);
  ConsoleStyle loaded;
  loaded.fontTextureName = config.getString("fontTextureName");
  config.read("fontSize", loaded.fontSize);
  loaded.fontSize = std::max(loaded.fontSize, 1);
  readColour(config, "output_background", loaded.outputBackground, true);
  readColour(config, "output_text", loaded.outputText, false);
  readColour(config, "input_background", loaded.inputBackground, false);
  readColour(config, "input_border", loaded.inputBorder, false);
  readColour(config, "input_text", loaded.inputText, false);
  loaded.enableLogging = config.getBool("enableLogging");
  return loaded;
}

}  // namespace

void initialise() {
  shutdown();
  clearConsole();
  const std::string early = takeEarlyMessages();
  registerBuiltinCommands();
  console_script::registerCommands();
  setMessageSink(printMessageText);
  currentStyle = readStyle();
  font.emplace(currentStyle.fontTextureName, kFallbackFont);
  if (currentStyle.enableLogging) startLogging();
  print(early);
}

void shutdown() {
  removeAllCommands();
  resetLineEditor();
  console_script::reset();
  font.reset();
  stopLogging();
  setMessageSink(nullptr);
}

void clearConsole() {
  clearInputLine();
  clearOutput();
}

const ConsoleStyle& style() {
  return currentStyle;
}

const TextureHandle* fontTexture() {
  return font ? &*font : nullptr;
}

}  // namespace console
