#include "common/user_data_path.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "common/data_path.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFolderName = "vellmoor";

// The XDG rules ignore a relative path: it would name a different folder in every working
// directory.
std::optional<fs::path> absolutePathFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || value[0] != '/') return std::nullopt;
  return fs::path(value);
}

std::optional<fs::path> homeFromUserDatabase() {
  const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? size_t(suggested) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || found->pw_dir == nullptr || found->pw_dir[0] != '/') {
    return std::nullopt;
  }
  return fs::path(found->pw_dir);
}

}  // namespace

std::optional<fs::path> userHomeFolder() {
  if (auto home = absolutePathFromEnvironment("HOME")) return home;
  return homeFromUserDatabase();
}

std::optional<fs::path> userDataFolder() {
  if (auto data = absolutePathFromEnvironment("XDG_DATA_HOME")) return *data / kFolderName;
  auto home = userHomeFolder();
  if (!home) return std::nullopt;
  return *home / ".local" / "share" / kFolderName;
}

std::optional<fs::path> userDataPath(std::string_view name) {
  const std::vector<std::string_view> pieces = splitPathPieces(name);
  if (pieces.empty() || pieces.back() == "." ||
      std::find(pieces.begin(), pieces.end(), "..") != pieces.end()) {
    return std::nullopt;
  }
  auto folder = userDataFolder();
  if (!folder) return std::nullopt;
  return resolvePathBelow(*folder, name).lexically_normal();
}

std::optional<fs::path> prepareUserDataPath(std::string_view name) {
  auto path = userDataPath(name);
  if (!path) return std::nullopt;
  std::error_code error;
  fs::create_directories(path->parent_path(), error);
  if (!fs::is_directory(path->parent_path(), error)) return std::nullopt;
  return path;
}
