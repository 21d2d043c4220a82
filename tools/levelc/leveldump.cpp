// leveldump: writes a level file as a level source (JSON) that levelc compiles back into
// the same file.

#include <iostream>

#include "tools/levelc/level_source.h"
#include "tools/levelc/level_tool.h"

namespace {

const char* const kUsage =
    "Usage: leveldump INPUT.swah [OUTPUT.json]\n"
    "  Writes the level file INPUT.swah as a level source to OUTPUT.json, or to standard\n"
    "  output without it. A file the game would refuse is reported with the game's reason.\n";

// The game's reason texts carry line breaks meant for its message box.
std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \n") - first + 1);
}

void reportRefusal(const std::string& inputPath, const level_file::ParseError& error) {
  std::cerr << "leveldump: " << inputPath << ": " << trimmed(error.reason);
  if (error.version) {
    std::cerr << " (the file has version " << *error.version << ", the game reads version "
              << level_file::kVersion << ")";
  }
  std::cerr << "\n";
}

int dump(const LevelToolFiles& files) {
  const std::string& inputPath = files.input;
  const auto bytes = readInputFile("leveldump", inputPath, level_file::kMaxFileBytes);
  if (!bytes) return 1;
  const auto read = level_file::readLevelFile(
      std::span(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()));
  if (read.error) {
    reportRefusal(inputPath, *read.error);
    return 1;
  }
  const std::string text = level_source::dumpLevelSource(read.contents);
  if (files.output) return writeOutputFile("leveldump", *files.output, text);
  std::cout << text << std::flush;
  return std::cout ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  return runLevelTool(argc, argv, kUsage, dump);
}
