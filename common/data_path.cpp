#include "common/data_path.h"

#include <algorithm>
#include <system_error>

#include "common/text.h"

namespace fs = std::filesystem;

std::vector<std::string_view> splitPathPieces(std::string_view path) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find_first_of("\\/", start), path.size());
    if (end > start) pieces.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

std::optional<fs::path> findEntryIgnoringCase(const fs::path& directory, std::string_view piece) {
  std::error_code error;
  const fs::path exact = directory / fs::path(piece);
  if (fs::exists(fs::symlink_status(exact, error))) return exact;

  std::optional<fs::path> best;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    const fs::path name = it->path().filename();
    if (!equalsIgnoringCase(name.native(), piece)) continue;
    if (!best || name.native() < best->filename().native()) best = it->path();
  }
  return best;
}

fs::path resolveDataPath(std::string_view path) {
  const bool absolute = !path.empty() && (path[0] == '/' || path[0] == '\\');
  fs::path resolved = absolute ? fs::path("/") : fs::path();
  bool matching = true;  // once a piece is missing, nothing below it can exist
  for (std::string_view piece : splitPathPieces(path)) {
    if (matching && piece != "." && piece != "..") {
      const fs::path directory = resolved.empty() ? fs::path(".") : resolved;
      if (auto found = findEntryIgnoringCase(directory, piece)) {
        resolved = resolved.empty() ? found->filename() : *found;
        continue;
      }
      matching = false;
    }
    resolved /= fs::path(piece);
  }
  return resolved;
}
