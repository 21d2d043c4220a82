// levelc: compiles a level source (JSON) into a level file the game loads.

#include <iostream>

#include "common/atomic_file.h"
#include "tools/levelc/level_source.h"
#include "tools/levelc/level_tool.h"

namespace {

const char* const kUsage =
    "Usage: levelc SOURCE.json OUTPUT.swah\n"
    "  Compiles the level source SOURCE.json into the level file OUTPUT.swah. When the\n"
    "  source is refused, the reason goes to standard error and OUTPUT.swah is left as it\n"
    "  was. The source format is described in docs/level_source.md.\n";

int compile(const std::string& sourcePath, const std::string& outputPath) {
  // A source spells every number out in text, a few times the bytes of the level it becomes.
  const auto text = readInputFile("levelc", sourcePath, 4 * level_file::kMaxFileBytes);
  if (!text) return 1;
  const auto result = level_source::compileLevelSource(*text);
  if (result.error) {
    std::cerr << "levelc: " << sourcePath << ": " << *result.error << "\n";
    return 1;
  }
  const auto bytes = level_file::writeLevelFile(result.contents);
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!replaceFileAtomically(outputPath, view)) {
    std::cerr << "levelc: " << outputPath << ": can't write the file\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  switch (toolRequest(arguments, 2, 2)) {
    case ToolRequest::help: std::cout << kUsage; return 0;
    case ToolRequest::wrongArguments: std::cerr << kUsage; return 2;
    case ToolRequest::run: break;
  }
  return compile(arguments[0], arguments[1]);
}
