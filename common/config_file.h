#pragma once
// A configuration file is free text in which every "key = value" pair counts and every
// other word is ignored, so a file can carry remarks and headings without a comment syntax.
// A module reads its file once when it starts: construct, pull values, destroy.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class ConfigFile {
 public:
  // Loads the file; problems are printed and leave the configuration empty.
  explicit ConfigFile(std::string_view path);
  // An empty configuration (every getter answers its missing-key value).
  ConfigFile() = default;

  // Parses configuration text held in memory; nullopt when the word count is odd.
  static std::optional<ConfigFile> fromText(std::string_view text);

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
  void load(std::string_view path);
  const std::string* find(std::string_view key) const;
  // As find, but a number too large for a float is reported and reads as missing.
  const std::string* findNumber(std::string_view key) const;

  // Keys are upper-cased; values are kept as written.
  std::map<std::string, std::string, std::less<>> values_;
};
