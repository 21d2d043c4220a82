#pragma once
// The table of the ten best level scores with the players' names. It lives for the whole run:
// the defaults, then the file "sav\scores.sav" in the per-user data folder at start-up, then
// the scores players enter, each written back at once and once more at the end.
//
// The file is 284 little-endian bytes: the magic 0x1231230F, then the ten entries in rank
// order, each a 24-byte zero-terminated name and a uint32 score. Bytes after those are ignored
// (an editor may add a newline). A file that can't be read, or holds no table, leaves the
// default table, is reported, and is never written over: the first save moves it aside to
// "scores.sav.bad-<seconds since 1970>". No window, sound or GL here: the screens that show
// the table and take a new name sit on top of it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace high_scores {

constexpr size_t kEntryCount = 10;
constexpr size_t kNameBytes = 24;
// The name entry takes 20 characters; the rest of the 24 bytes is the terminator's and padding.
constexpr size_t kMaxNameLength = 20;
constexpr uint32_t kFileMagic = 0x1231230F;
constexpr size_t kFileSize = 4 + kEntryCount * (kNameBytes + 4);
// Relative to the per-user data folder (common/user_data_path.h).
constexpr std::string_view kFileName = "sav\\scores.sav";
constexpr std::string_view kDefaultName = "NO NAME";

struct HighScoreEntry {
  // Zero-terminated, at most kMaxNameLength characters; every byte after the terminator is 0.
  std::array<char, kNameBytes> name{};
  uint32_t score = 0;

  // The name's characters, without the terminator.
  std::string_view nameText() const;
  bool operator==(const HighScoreEntry&) const = default;
};

// Rank 1 first, scores never rising.
using HighScoreTable = std::array<HighScoreEntry, kEntryCount>;

// An entry for `name` cut at its first zero byte and to kMaxNameLength characters.
HighScoreEntry makeHighScoreEntry(std::string_view name, uint32_t score);

// Ten entries "NO NAME" with score 0.
HighScoreTable defaultHighScoreTable();

// The table held by `bytes` when they are a scores file (at least kFileSize bytes, starting
// with the magic; what follows the first kFileSize is ignored), else nothing. A name with no
// terminator in its 24 bytes, or a longer one, is cut to kMaxNameLength characters; a table
// out of order is put in order, equal scores keeping theirs.
std::optional<HighScoreTable> parseHighScores(std::string_view bytes);

// The kFileSize bytes of the scores file holding `table`.
std::string serializeHighScores(const HighScoreTable& table);

// The table becomes the defaults, then what the scores file holds, if it is one. Reads at most
// kFileSize + 1 bytes of it, and only from a regular file. Something at the file's name that
// can't be read or is no table is reported, and the next save moves it aside; nothing is moved
// here, so a program that only reads the table changes nothing. Clears away what saves killed
// part-way left beside the file.
void loadHighScores();

// What the scores file holds now: its table, the defaults when there is no file, nothing when
// it can't be read or holds no table.
std::optional<HighScoreTable> savedHighScoreTable();

// Replaces the scores file with the table as a whole, creating its folder, after moving aside
// the file that the last load couldn't use. False, with a console message, when it can't be
// written; the old file is then untouched.
bool saveHighScores();

// The entry takes the first rank whose score is strictly less than its own (so it ranks below
// equal scores); the entries from there move down one rank and the tenth is dropped. Nothing
// changes when no score is less. The rank taken (0 the best), or nothing.
std::optional<size_t> insertHighScore(const HighScoreEntry& entry);

// Some entry's score is strictly less than `score`: insertHighScore would take it.
bool qualifiesForHighScore(uint32_t score);

const HighScoreTable& highScoreTable();

// Back to the default table, as before loading; nothing is moved aside at the next save.
void resetHighScores();

}  // namespace high_scores
