#include "test_support/temp_directory.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

TempDirectory::TempDirectory() {
  std::string pattern = (fs::temp_directory_path() / "vellmoor-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

TempDirectory::~TempDirectory() {
  std::error_code ignored;
  // Tests may leave read-only folders behind; make them writable again so removal works.
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(path_, ignored);
}

fs::path TempDirectory::write(std::string_view relativePath, std::string_view bytes) const {
  const fs::path file = path_ / relativePath;
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return file;
}

std::vector<fs::path> TempDirectory::notRegularFiles() const {
  fs::create_directories(path_ / "folder");
  ::mkfifo((path_ / "pipe").c_str(), 0600);
  return {path_ / "folder", "/dev/zero", path_ / "pipe", path_ / "missing"};
}

WorkingDirectory::WorkingDirectory(const fs::path& directory) : previous_(fs::current_path()) {
  fs::current_path(directory);
}

WorkingDirectory::~WorkingDirectory() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
}

std::string readFileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
