#include "game/console/builtin_commands.h"

#include <string>
#include <string_view>

#include "common/command_registry.h"
#include "common/console_output.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/platform/platform_services.h"
#include "game/platform/system_memory.h"

namespace console {
namespace {

platform::Services& services() {
  return platform::services();
}

// Entries that need the window, the driver or the textures say so in a run without them.
bool needsDisplay(std::string_view entryName) {
  if (services().hasDisplay()) return false;
  print("\n");
  print(entryName);
  print(" needs the game window; this run has none.");
  return true;
}

void quit() {
  services().destroyWindow();
}

void listCommands(const std::string& text) {
  printHeading("Command list: Use Commands < term > to filter listings");
  const size_t start = text.find_first_not_of(' ');
  const std::string term =
      start == std::string::npos ? std::string() : upperCased(text.substr(start));
  for (const CommandEntry* entry = firstCommandAtOrAfter(term);
       entry && upperCased(entry->name).starts_with(term);
       entry = commandAfter(upperCased(entry->name))) {
    print("\n");
    print(entry->name);
  }
  print("\n");
}

void printMemory() {
  const platform::SystemMemory memory = platform::querySystemMemory();
  printHeading("Memory usage");
  print("\nSystem memory usage: \n");
  print("\nTotal : ");
  print(memory.totalBytes);
  print("\t bytes");
  print("\nFree  : ");
  print(memory.availableBytes);
  print("\t bytes");
  print("\nUsed  : ");
  print(memory.totalBytes - memory.availableBytes);
  print("\t bytes");
  print("\n");
}

bool fullscreen(bool on, bool set) {
  if (needsDisplay("Fullscreen")) return false;
  if (set) services().setFullscreen(on);
  return services().getFullscreen();
}

bool logConsole(bool on, bool set) {
  if (set && on) startLogging();
  if (set && !on) stopLogging();
  return isLogging();
}

void renderer() {
  if (needsDisplay("Renderer")) return;
  printHeading("Graphics renderer");
  print(services().rendererName());
}

void textureList() {
  if (!needsDisplay("TextureList")) services().printTextureList();
}

void textureMemory() {
  if (!needsDisplay("TextureMemory")) services().printTextureMemory();
}

void textureReload() {
  if (!needsDisplay("TextureReload")) services().reloadTextures();
}

void extensions() {
  if (needsDisplay("Extensions")) return;
  printHeading("Supported OpenGL Extensions");
  for (const std::string& name : splitWords(services().extensionList())) {
    print(name);
    print("\n");
  }
}

void isExtension(const std::string& name) {
  if (name.empty()) {
    print("\nUSAGE: IsExtension");
    print(" < string >");
    return;
  }
  if (needsDisplay("IsExtension")) return;
  print(services().hasExtension(name) ? "\nExtension detected." : "\nExtension not found.");
}

int32_t antiAliasingSamples(int32_t, bool) {
  if (needsDisplay("AntiAliasingSamples")) return 1;
  return services().getSampleCount();
}

int32_t anisotropicFilteringLevel(int32_t level, bool set) {
  if (needsDisplay("AnisotropicFilteringLevel")) return 0;
  if (set) services().setAnisotropy(level);
  return services().getAnisotropy();
}

bool vsyncEnable(bool on, bool set) {
  if (needsDisplay("VsyncEnable")) return false;
  if (set) services().setVsync(on);
  return services().getVsync();
}

int32_t textureQuality(int32_t quality, bool set) {
  if (needsDisplay("TextureQuality")) return 0;
  if (set) services().setTextureQuality(quality);
  return services().getTextureQuality();
}

// The console's shut-down empties the whole registry, so this table is all there is to keep.
const NamedCommand kBuiltins[] = {
    {"Quit", quit},
    {"Clear", clearConsole},
    {"Commands", listCommands},
    {"Memory", printMemory},
    {"Fullscreen", fullscreen},
    {"LogConsole", logConsole},
    {"Renderer", renderer},
    {"TextureList", textureList},
    {"TextureMemory", textureMemory},
    {"TextureReload", textureReload},
    {"Extensions", extensions},
    {"IsExtension", isExtension},
    {"AntiAliasingSamples", antiAliasingSamples},
    {"AnisotropicFilteringLevel", anisotropicFilteringLevel},
    {"VsyncEnable", vsyncEnable},
    {"TextureQuality", textureQuality},
};

}  // namespace

void registerBuiltinCommands() {
  addCommands(kBuiltins);
}

}  // namespace console
