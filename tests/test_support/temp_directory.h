#pragma once
// A fresh directory under the system's temporary folder, removed with everything in it when
// the object goes. Tests that write files (preferences, logs, data folders) work inside one.

#include <filesystem>
#include <string_view>
#include <vector>

class TempDirectory {
 public:
  TempDirectory();
  ~TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes `bytes` to a file below the directory, creating folders on the way.
  std::filesystem::path write(std::string_view relativePath, std::string_view bytes) const;
  // Names that every reader must take for a missing file: a folder and a pipe with no writer
  // made inside the directory ("folder", "pipe"), /dev/zero, and "missing", which isn't there.
  std::vector<std::filesystem::path> notRegularFiles() const;

 private:
  std::filesystem::path path_;
};

// Changes the working directory for the life of the object and changes it back after.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::filesystem::path& directory);
  ~WorkingDirectory();
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

// Reads a whole file as bytes; empty when it can't be read.
std::string readFileBytes(const std::filesystem::path& file);
