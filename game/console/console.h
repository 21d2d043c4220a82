#pragma once
// The developer console: start-up and shut-down, its settings from "cfg//console.cfg", and
// the whole public face callers use (printing, registering entries, keys).

#include "common/command_registry.h"
#include "common/console_output.h"
#include "game/console/line_editor.h"

class TextureHandle;

namespace console {

struct Colour {
  float r = 0.0f, g = 0.0f, b = 0.0f, a = 1.0f;
};

// How the console overlay looks; read from console.cfg, missing keys keep these defaults.
struct ConsoleStyle {
  std::string fontTextureName;  // empty: the embedded "DEFAULT_FONT"
  int32_t fontSize = 8;
  Colour outputBackground{0.0f, 0.0f, 0.0f, 0.5f};
  Colour outputText{1.0f, 1.0f, 1.0f, 1.0f};
  Colour inputBackground{0.25f, 0.25f, 0.25f, 1.0f};
  Colour inputBorder{0.5f, 0.25f, 0.25f, 1.0f};
  Colour inputText{1.0f, 1.0f, 1.0f, 1.0f};
  bool enableLogging = false;
};

constexpr std::string_view kConfigPath = "cfg//console.cfg";

// Shuts down what ran before, clears the console, registers the built-in entries, reads
// console.cfg, takes its font and starts the log when it asks for one. Shared code now
// prints here.
void initialise();
// Empties the registry, the history and the completion, lets the font go and stops the log.
void shutdown();

// Empties the output and the input line (the "Clear" command).
void clearConsole();

const ConsoleStyle& style();
// The console's font, a 16 x 16 grid of glyphs: the texture console.cfg names, with the
// embedded "DEFAULT_FONT" standing in. The debug overlays label with it too. Null before
// start-up and after shut-down.
const TextureHandle* fontTexture();

}  // namespace console
