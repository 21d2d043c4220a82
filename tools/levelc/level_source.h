#pragma once
// A level source is JSON a person reads and writes (docs/level_source.md); levelc compiles
// it into the records of a level file and leveldump turns a level file back into it. For
// every level the game accepts whose outlines do not cross themselves, compiling the dump
// gives the same records again, floats bit for bit.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/level/level_file_format.h"

namespace level_source {

// What a level's source tells the people who play and document it; none of it goes into
// the level file.
struct LevelNotes {
  int32_t parSeconds = 0;  // the time a good run takes; 0 when the source names none
  std::string idea;        // what the level teaches, in a sentence
};

// The records, or why the source was refused; the contents are then empty.
struct CompileResult {
  level_file::LevelFileContents contents;
  LevelNotes notes;
  // "<entity>.<field>: <problem>", e.g. "objects[1].layer: expected a whole number from 0
  // to 4, got 7"; a JSON syntax error gives its line and column.
  std::optional<std::string> error;
};

// Reads and checks a level source; the result passes every check of the game's reader and
// has no self-crossing outline.
CompileResult compileLevelSource(std::string_view jsonText);

// The level source for `contents`, every field written, two-space indents, one point per
// line. Ends with a line break.
std::string dumpLevelSource(const level_file::LevelFileContents& contents);

}  // namespace level_source
