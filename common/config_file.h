#pragma once
// A configuration file is free text in which every "key = value" pair counts and every
// other word is ignored, so a file can carry remarks and headings without a comment syntax.
// A module reads its file once when it starts: construct, pull values, destroy.
//
// A program may carry the shipped copy of a settings file (cmake: vmr_embed_shipped_settings),
// baked in under the name shippedSettingsName gives its path. When the file on disk cannot be
// read (missing, a folder, unreadable, too long, not a settings file) or holds none of the
// shipped copy's keys, the load says so and takes the shipped copy, so a damaged data folder
// still gives a playable game. A readable file that leaves some keys out is taken as it is.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class ConfigFile {
 public:
  // Loads the file; problems are printed and leave the configuration empty, or holding the
  // shipped copy when the program carries one.
  explicit ConfigFile(std::string_view path);
  // An empty configuration (every getter answers its missing-key value).
  ConfigFile() = default;

  // Parses configuration text held in memory; nullopt when the word count is odd.
  static std::optional<ConfigFile> fromText(std::string_view text);
  // The shipped copy of the file at `path` that the program carries, or nullopt.
  static std::optional<ConfigFile> shippedCopy(std::string_view path);

  bool has(std::string_view key) const;
  // The converted value, or 0 / false / 0.0 / "" when the key is missing or malformed.
  int32_t getInt(std::string_view key) const;
  bool getBool(std::string_view key) const;
  float getFloat(std::string_view key) const;
  std::string getString(std::string_view key) const;

  // Store into `value` only when the key exists and its text passes the type's test, so
  // the caller's default survives a missing or malformed entry.
  void read(std::string_view key, int32_t& value) const;
  void read(std::string_view key, float& value) const;
  void read(std::string_view key, bool& value) const;
  void read(std::string_view key, std::string& value) const;

  size_t size() const { return values_.size(); }

 private:
  // False, after reporting why, when the file cannot be read or parsed.
  bool load(std::string_view path);
  void useShippedCopyIfNeeded(std::string_view path, bool loaded);
  const std::string* find(std::string_view key) const;
  // As find, but a number too large for a float is reported and reads as missing.
  const std::string* findNumber(std::string_view key) const;

  // Keys are upper-cased; values are kept as written.
  std::map<std::string, std::string, std::less<>> values_;
};

// The embedded resource name of a data file's shipped copy: "SHIPPED_" and the path with each
// run of characters other than ASCII letters and digits made one "_" ("cfg\\water.cfg" and
// "cfg/water.cfg" both give "SHIPPED_cfg_water_cfg"; resource names ignore letter case).
std::string shippedSettingsName(std::string_view path);
