#include "game/gui/level_progress.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "common/atomic_file.h"
#include "common/console_output.h"
#include "common/regular_file.h"
#include "common/user_data_path.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace progress {
namespace {

Record held;
// False after a damaged file could not be moved aside: it is then never written over.
bool writable = true;

// One spelling per level, whichever separator the path was given with.
std::string levelKey(std::string_view levelPath) {
  std::string key(levelPath);
  std::replace(key.begin(), key.end(), '/', '\\');
  return key;
}

bool isDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
    if (text[i] < '0' || text[i] > '9') return false;
  return true;
}

std::optional<uint32_t> boundedNumber(const json& level, const char* key, uint32_t max) {
  const auto field = level.find(key);
  if (field == level.end() || !field->is_number_unsigned()) return std::nullopt;
  const uint64_t value = field->get<uint64_t>();
  if (value > max) return std::nullopt;
  return uint32_t(value);
}

std::optional<LevelBest> parseLevel(const json& level) {
  if (!level.is_object()) return std::nullopt;
  const auto won = level.find("won");
  const auto date = level.find("bestDate");
  if (won == level.end() || !won->is_boolean()) return std::nullopt;
  if (date == level.end() || !date->is_string()) return std::nullopt;
  LevelBest best{won->get<bool>(), 0, 0, 0, date->get<std::string>()};
  const auto time = boundedNumber(level, "bestTimeMs", kMaxTimeMs);
  const auto water = boundedNumber(level, "mostWater", kMaxWater);
  const auto score = boundedNumber(level, "bestScore", kMaxScore);
  if (!time || !water || !score || !(isDate(best.date) || best.date.empty())) return std::nullopt;
  best.timeMs = *time;
  best.water = *water;
  best.score = *score;
  return best;
}

std::string today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

void keepAside(const fs::path& file, std::string_view why) {
  const std::string suffix = ".bad-" + std::to_string(std::time(nullptr));
  console::print("\nThe progress file " + file.native() + " " + std::string(why) +
                 "; it is kept as " + file.filename().native() + suffix +
                 " and play goes on from an empty record.");
  if (moveAsideWithoutReplacing(file, suffix)) return;
  writable = false;
  console::print("\nThe progress file could not be moved aside; it is left as it is and this "
                 "game's progress is not saved.");
}

bool save() {
  if (!writable) return false;
  const std::optional<fs::path> file = prepareUserDataPath(kFileName);
  if (file) {
    const FolderLock lock(file->parent_path(), FolderLock::Wait::kUntilFree);
    if (replaceFileAtomically(*file, serializeProgress(held))) return true;
  }
  console::print("\nCould not save the level progress to " +
                 (file ? file->native() : std::string(kFileName) + " (no home folder)"));
  return false;
}

}  // namespace

std::optional<Record> parseProgress(std::string_view text) {
  const json root = json::parse(text, nullptr, false);
  if (!root.is_object()) return std::nullopt;
  const auto version = root.find("version");
  const auto levels = root.find("levels");
  if (version == root.end() || !version->is_number_integer() || *version != kFileVersion)
    return std::nullopt;
  if (levels == root.end() || !levels->is_object()) return std::nullopt;
  Record record;
  for (const auto& [path, level] : levels->items()) {
    std::optional<LevelBest> best = parseLevel(level);
    if (!best || path.empty()) return std::nullopt;
    record[levelKey(path)] = std::move(*best);
  }
  return record;
}

std::string serializeProgress(const Record& record) {
  json levels = json::object();
  for (const auto& [path, best] : record) {
    levels[path] = {{"won", best.won},
                    {"bestTimeMs", best.timeMs},
                    {"mostWater", best.water},
                    {"bestScore", best.score},
                    {"bestDate", best.date}};
  }
  const json root = {{"version", kFileVersion}, {"levels", levels}};
  return root.dump(2) + "\n";
}

Beaten improve(LevelBest& best, uint32_t timeMs, uint32_t water, uint32_t score,
               std::string_view date) {
  const bool first = !best.won;
  const Beaten beaten{first || timeMs < best.timeMs, first || water > best.water,
                      first || score > best.score};
  best.won = true;
  if (beaten.time) best.timeMs = std::min(timeMs, kMaxTimeMs);
  if (beaten.water) best.water = std::min(water, kMaxWater);
  if (beaten.score) best.score = std::min(score, kMaxScore);
  if (beaten.any()) best.date = date;
  return beaten;
}

void load() {
  reset();
  const std::optional<fs::path> file = userDataPath(kFileName);
  if (!file) return;
  const FileContents contents = readRegularFile(*file, kMaxFileBytes);
  std::error_code error;
  const bool missing = contents.result == FileReadResult::kNotFound &&
                       fs::symlink_status(*file, error).type() == fs::file_type::not_found;
  if (missing) return;
  if (!contents.complete()) return keepAside(*file, "can't be read");
  if (std::optional<Record> read = parseProgress(contents.bytes)) {
    held = std::move(*read);
    return;
  }
  keepAside(*file, "holds no progress record of version " + std::to_string(kFileVersion));
}

Beaten record(std::string_view levelPath, uint32_t timeMs, uint32_t water, uint32_t score) {
  const Beaten beaten = improve(held[levelKey(levelPath)], timeMs, water, score, today());
  save();
  return beaten;
}

std::optional<LevelBest> of(std::string_view levelPath) {
  const auto found = held.find(levelKey(levelPath));
  if (found == held.end() || !found->second.won) return std::nullopt;
  return found->second;
}

bool isWon(std::string_view levelPath) {
  return of(levelPath).has_value();
}

void reset() {
  held.clear();
  writable = true;
}

}  // namespace progress
