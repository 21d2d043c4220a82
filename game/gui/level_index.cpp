#include "game/gui/level_index.h"

#include <nlohmann/json.hpp>

#include "common/console_output.h"
#include "common/data_path.h"
#include "common/regular_file.h"
#include "common/text.h"

using nlohmann::json;

namespace level_index {
namespace {

Index held;

std::string fileKey(std::string_view levelPath) {
  const std::vector<std::string_view> pieces = splitPathPieces(levelPath);
  if (pieces.empty()) return {};
  std::string key(pieces.back());
  toLower(key);
  return key;
}

std::optional<LevelNote> parseNote(const json& level) {
  if (!level.is_object()) return std::nullopt;
  const auto title = level.find("title");
  const auto idea = level.find("idea");
  const auto par = level.find("parSeconds");
  if (title == level.end() || idea == level.end() || par == level.end()) return std::nullopt;
  if (!title->is_string() || !idea->is_string() || !par->is_number_unsigned()) return std::nullopt;
  if (par->get<uint64_t>() > uint64_t(kMaxParSeconds)) return std::nullopt;
  return LevelNote{title->get<std::string>(), idea->get<std::string>(), par->get<int32_t>()};
}

}  // namespace

std::optional<Index> parseIndex(std::string_view text) {
  const json root = json::parse(text, nullptr, false);
  if (!root.is_object()) return std::nullopt;
  const auto version = root.find("version");
  const auto levels = root.find("levels");
  if (version == root.end() || !version->is_number_integer() || *version != kIndexVersion)
    return std::nullopt;
  if (levels == root.end() || !levels->is_object()) return std::nullopt;
  Index index;
  for (const auto& [file, level] : levels->items()) {
    std::optional<LevelNote> note = parseNote(level);
    if (!note || fileKey(file).empty()) return std::nullopt;
    index[fileKey(file)] = std::move(*note);
  }
  return index;
}

void load() {
  held.clear();
  const FileContents contents = readRegularFile(resolveDataPath(kIndexPath), kMaxIndexBytes);
  std::optional<Index> index;
  if (contents.complete()) index = parseIndex(contents.bytes);
  if (index) {
    held = std::move(*index);
    return;
  }
  console::print("\nThe level index " + std::string(kIndexPath) +
                 (contents.complete() ? " is damaged" : " can't be read") +
                 "; the levels are played without their par times.");
}

std::vector<std::string> ladder() {
  std::vector<std::string> levels;
  for (const auto& [file, note] : held) levels.push_back("lev\\" + file);
  return levels;
}

std::optional<LevelNote> of(std::string_view levelPath) {
  const auto found = held.find(fileKey(levelPath));
  if (found == held.end()) return std::nullopt;
  return found->second;
}

}  // namespace level_index
