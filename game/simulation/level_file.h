#pragma once
// Reading a level file into the running game. The whole file is read and checked first,
// building its polygons, objects and emitters in temporary arrays; only when every record
// has passed is the old level cleared and each record handed to the manager that owns its
// kind. A refused file leaves the running level exactly as it was.

#include <cstdint>
#include <span>
#include <string_view>

namespace level {

// Reads the named file (a data path) and on success replaces the running level with it.
// Failures are printed on the console with their reason; false leaves the level alone.
bool loadLevelFile(std::string_view fileName);

// The same for a file's bytes already in memory; `fileName` is used in the messages.
bool loadLevelFileBytes(std::string_view fileName, std::span<const uint8_t> bytes);

}  // namespace level
