// levelc: compiles a level source (JSON) into a level file the game loads.

#include <algorithm>
#include <iostream>
#include <optional>

#include "tools/levelc/level_source.h"
#include "tools/levelc/level_tool.h"

namespace {

const char* const kUsage =
    "Usage: levelc SOURCE.json [OUTPUT.swah]\n"
    "  Compiles the level source SOURCE.json into the level file OUTPUT.swah. When the\n"
    "  source is refused, the reason goes to standard error and OUTPUT.swah is left as it\n"
    "  was. Without OUTPUT.swah the source is only checked and its notes are printed:\n"
    "  \"par: SECONDS\" (0 for none), \"idea: TEXT\" and, for a level with outlines,\n"
    "  \"bounds: LEFT TOP RIGHT BOTTOM\", a line each. The source format is described in\n"
    "  docs/level_source.md.\n";

// The checked source, or nothing after saying why.
std::optional<level_source::CompileResult> compiledSource(const std::string& sourcePath) {
  // A source spells every number out in text, a few times the bytes of the level it becomes.
  const auto text = readInputFile("levelc", sourcePath, 4 * level_file::kMaxFileBytes);
  if (!text) return std::nullopt;
  auto result = level_source::compileLevelSource(*text);
  if (result.error) {
    std::cerr << "levelc: " << sourcePath << ": " << *result.error << "\n";
    return std::nullopt;
  }
  return result;
}

int printNotes(const std::string& sourcePath) {
  const auto result = compiledSource(sourcePath);
  if (!result) return 1;
  std::cout << "par: " << result->notes.parSeconds << "\nidea: " << result->notes.idea << "\n";
  // The outlines' extent, so a picture of the whole level can be framed.
  const auto& polygons = result->contents.polygons;
  if (polygons.empty() || polygons.front().points.empty()) return 0;
  level_file::IntPoint low = polygons.front().points.front(), high = low;
  for (const auto& polygon : polygons)
    for (const level_file::IntPoint& p : polygon.points) {
      low = {std::min(low.x, p.x), std::min(low.y, p.y)};
      high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
  std::cout << "bounds: " << low.x << " " << low.y << " " << high.x << " " << high.y << "\n";
  return 0;
}

int compile(const std::string& sourcePath, const std::string& outputPath) {
  const auto result = compiledSource(sourcePath);
  if (!result) return 1;
  const auto bytes = level_file::writeLevelFile(result->contents);
  return writeOutputFile(
      "levelc", outputPath,
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
  return runLevelTool(argc, argv, kUsage, [](const LevelToolFiles& files) {
    return files.output ? compile(files.input, *files.output) : printNotes(files.input);
  });
}
