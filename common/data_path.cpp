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
  return resolvePathBelow(absolute ? fs::path("/") : fs::path(), path);
}

fs::path resolvePathBelow(const fs::path& folder, std::string_view path) {
  fs::path resolved = folder;
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

bool matchesWildcard(std::string_view name, std::string_view pattern) {
  // Greedy match with one backtrack point: the last "*" seen.
  size_t n = 0, p = 0, starAt = std::string_view::npos, resumeAt = 0;
  auto sameLetter = [](char a, char b) { return equalsIgnoringCase({&a, 1}, {&b, 1}); };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || sameLetter(pattern[p], name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      n = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<std::string> findFrameFiles(std::string_view name) {
  constexpr std::string_view kFrameMark = "_FRAME";
  const size_t mark = upperCased(name).rfind(kFrameMark);
  if (mark == std::string::npos) return {std::string(name)};
  const size_t dot = name.find_last_of('.');
  std::string pattern(name.substr(0, mark + kFrameMark.size()));
  pattern += '*';
  if (dot != std::string_view::npos && dot > mark) pattern += name.substr(dot);
  const size_t cut = name.find_last_of("\\/");
  const std::string folder(cut == std::string_view::npos ? "" : name.substr(0, cut + 1));
  std::vector<std::string> frames;
  for (const std::string& file : findMatchingFiles(pattern)) frames.push_back(folder + file);
  return frames;
}

std::vector<std::string> findMatchingFiles(std::string_view pattern) {
  const size_t cut = pattern.find_last_of("\\/");
  const std::string_view directoryPart =
      cut == std::string_view::npos ? std::string_view() : pattern.substr(0, cut);
  const std::string_view namePattern =
      cut == std::string_view::npos ? pattern : pattern.substr(cut + 1);
  fs::path directory = resolveDataPath(directoryPart);
  if (directory.empty()) directory = ".";

  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (it->is_regular_file(error) && matchesWildcard(name, namePattern))
      names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string upperA = upperCased(a), upperB = upperCased(b);
    return upperA != upperB ? upperA < upperB : a < b;
  });
  return names;
}
