#include "game/gui/high_score_table.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "common/atomic_file.h"
#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/console_output.h"
#include "common/regular_file.h"
#include "common/user_data_path.h"

namespace fs = std::filesystem;

namespace high_scores {
namespace {

static_assert(kFileSize == 284, "the size every scores file ever written has");

HighScoreTable table = defaultHighScoreTable();
// The scores file the last load couldn't use, moved aside before it would be written over.
std::optional<fs::path> unusableFile;

enum class Stored { kMissing, kTable, kUnreadable, kNoTable };

struct StoredTable {
  Stored state;
  HighScoreTable table = defaultHighScoreTable();
};

// One byte past the size tells a longer file, whose first kFileSize bytes count, from a
// shorter one; nothing beyond is read.
StoredTable readStoredTable(const fs::path& file) {
  const FileContents contents = readRegularFile(file, kFileSize);
  if (contents.complete() || contents.result == FileReadResult::kTooLarge) {
    if (const auto read = parseHighScores(contents.bytes)) return {Stored::kTable, *read};
    return {Stored::kNoTable};
  }
  // The reader takes a folder, a pipe or a file it may not open for a missing one; only a name
  // with nothing at it (not even a broken link) is.
  std::error_code error;
  if (contents.result == FileReadResult::kNotFound &&
      fs::symlink_status(file, error).type() == fs::file_type::not_found) {
    return {Stored::kMissing};
  }
  return {Stored::kUnreadable};
}

void reportUnusable(const fs::path& file, Stored state) {
  console::print("\nThe high-score file ");
  console::print(file.native());
  console::print(state == Stored::kUnreadable ? " can't be read" : " holds no high-score table");
  console::print("; the default table is used and the file is kept as ");
  console::print(file.filename().native());
  console::print(".bad-<seconds since 1970> when the table is saved.");
}

bool keepUnusableFileAside(const fs::path& file) {
  if (unusableFile != file) return true;
  if (!moveAsideWithoutReplacing(file, ".bad-" + std::to_string(std::time(nullptr))))
    return false;
  unusableFile.reset();
  return true;
}

// Every save holds the lock of the file's folder (a second game running at the same moment
// saves too), so the leftovers of killed saves are cleared away only while no save is under
// way: a temporary file that is still being written is never taken.
bool replaceScoresFile(const fs::path& file, std::string_view bytes) {
  const FolderLock lock(file.parent_path(), FolderLock::Wait::kUntilFree);
  const bool written = keepUnusableFileAside(file) && replaceFileAtomically(file, bytes);
  if (lock.held()) removeLeftoverTemporaryFiles(file);
  return written;
}

void removeLeftoverSaves(const fs::path& file) {
  const FolderLock lock(file.parent_path(), FolderLock::Wait::kNo);
  if (lock.held()) removeLeftoverTemporaryFiles(file);
}

}  // namespace

std::string_view HighScoreEntry::nameText() const {
  const std::string_view bytes(name.data(), name.size());
  return bytes.substr(0, bytes.find('\0'));
}

HighScoreEntry makeHighScoreEntry(std::string_view name, uint32_t score) {
  HighScoreEntry entry;
  name = name.substr(0, name.find('\0')).substr(0, kMaxNameLength);
  std::copy(name.begin(), name.end(), entry.name.begin());
  entry.score = score;
  return entry;
}

HighScoreTable defaultHighScoreTable() {
  HighScoreTable defaults;
  defaults.fill(makeHighScoreEntry(kDefaultName, 0));
  return defaults;
}

std::optional<HighScoreTable> parseHighScores(std::string_view bytes) {
  ByteReader in(bytes);
  if (bytes.size() < kFileSize || in.u32() != kFileMagic) return std::nullopt;
  HighScoreTable read;
  for (HighScoreEntry& entry : read) {
    const std::string name = in.text(kNameBytes);
    entry = makeHighScoreEntry(name, in.u32());
  }
  // Only a hand-edited file is out of order; insertion relies on the order.
  std::stable_sort(read.begin(), read.end(), [](const HighScoreEntry& a, const HighScoreEntry& b) {
    return a.score > b.score;
  });
  return read;
}

std::string serializeHighScores(const HighScoreTable& scores) {
  ByteWriter out;
  out.u32(kFileMagic);
  for (const HighScoreEntry& entry : scores) {
    out.append(std::string_view(entry.name.data(), entry.name.size()));
    out.u32(entry.score);
  }
  return out.takeText();
}

void loadHighScores() {
  resetHighScores();
  const std::optional<fs::path> file = userDataPath(kFileName);
  if (!file) return;
  removeLeftoverSaves(*file);
  const StoredTable stored = readStoredTable(*file);
  table = stored.table;
  if (stored.state == Stored::kUnreadable || stored.state == Stored::kNoTable) {
    reportUnusable(*file, stored.state);
    unusableFile = *file;
  }
}

std::optional<HighScoreTable> savedHighScoreTable() {
  const std::optional<fs::path> file = userDataPath(kFileName);
  if (!file) return std::nullopt;
  const StoredTable stored = readStoredTable(*file);
  if (stored.state == Stored::kMissing || stored.state == Stored::kTable) return stored.table;
  return std::nullopt;
}

bool saveHighScores() {
  const std::optional<fs::path> file = prepareUserDataPath(kFileName);
  if (file && replaceScoresFile(*file, serializeHighScores(table))) return true;
  const std::optional<fs::path> named = userDataPath(kFileName);
  console::print("\nCould not save high scores: ");
  console::print(named ? named->native() : std::string(kFileName) + " (no home folder)");
  return false;
}

std::optional<size_t> insertHighScore(const HighScoreEntry& entry) {
  const auto rank = std::find_if(table.begin(), table.end(), [&](const HighScoreEntry& held) {
    return held.score < entry.score;
  });
  if (rank == table.end()) return std::nullopt;
  std::move_backward(rank, table.end() - 1, table.end());
  *rank = makeHighScoreEntry(entry.nameText(), entry.score);
  return size_t(rank - table.begin());
}

bool qualifiesForHighScore(uint32_t score) {
  return std::any_of(table.begin(), table.end(),
                     [&](const HighScoreEntry& held) { return held.score < score; });
}

const HighScoreTable& highScoreTable() {
  return table;
}

void resetHighScores() {
  table = defaultHighScoreTable();
  unusableFile.reset();
}

}  // namespace high_scores
