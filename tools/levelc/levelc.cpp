// levelc: compiles a level source (JSON) into a level file the game loads.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "game/level/level_name.h"
#include "tools/levelc/level_source.h"
#include "tools/levelc/level_tool.h"

namespace {

const char* const kUsage =
    "Usage: levelc SOURCE.json [OUTPUT.swah]\n"
    "       levelc --index OUTPUT.json SOURCE.json...\n"
    "  Compiles the level source SOURCE.json into the level file OUTPUT.swah. When the\n"
    "  source is refused, the reason goes to standard error and OUTPUT.swah is left as it\n"
    "  was. Without OUTPUT.swah the source is only checked and its notes are printed:\n"
    "  \"par: SECONDS\" (0 for none), \"idea: TEXT\" and, for a level with outlines,\n"
    "  \"bounds: LEFT TOP RIGHT BOTTOM\", a line each. The source format is described in\n"
    "  docs/level_source.md.\n"
    "  With --index, the notes of every source go to the level index OUTPUT.json that the\n"
    "  game reads beside the levels (docs/progress_file.md): each level file's title, idea\n"
    "  and par time. Nothing is written when a source is refused.\n";

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

// The index names each level by the file the build compiles its source into.
int writeIndex(const std::string& outputPath, const std::vector<std::string>& sources) {
  nlohmann::json levels = nlohmann::json::object();
  for (const std::string& source : sources) {
    const auto result = compiledSource(source);
    if (!result) return 1;
    const std::string file = std::filesystem::path(source).stem().string() + ".swah";
    levels[file] = {{"title", readableLevelName(file)},
                    {"idea", result->notes.idea},
                    {"parSeconds", result->notes.parSeconds}};
  }
  const nlohmann::json index = {{"version", 1}, {"levels", levels}};
  return writeOutputFile("levelc", outputPath, index.dump(2) + "\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string_view(argv[1]) == "--index") {
    if (argc < 4) {
      std::cerr << kUsage;
      return 2;
    }
    return writeIndex(argv[2], std::vector<std::string>(argv + 3, argv + argc));
  }
  return runLevelTool(argc, argv, kUsage, [](const LevelToolFiles& files) {
    return files.output ? compile(files.input, *files.output) : printNotes(files.input);
  });
}
