#include "game/level/level_name.h"

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isSmall(char c) {
  return c >= 'a' && c <= 'z';
}
bool isCapital(char c) {
  return c >= 'A' && c <= 'Z';
}
bool isSeparator(char c) {
  return c == '_' || c == '-' || c == ' ';
}

// The last piece of the path, split on both kinds of slash, without its extension.
std::string_view fileStem(std::string_view path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  const size_t dot = path.rfind('.');
  return dot == std::string_view::npos || dot == 0 ? path : path.substr(0, dot);
}

std::string_view withoutOrderNumber(std::string_view stem) {
  size_t i = 0;
  while (i < stem.size() && isDigit(stem[i])) ++i;
  if (i == 0 || i == stem.size() || !isSeparator(stem[i])) return stem;
  return stem.substr(i + 1);
}

}  // namespace

std::string readableLevelName(std::string_view path) {
  const std::string_view stem = fileStem(path);
  const std::string_view words = withoutOrderNumber(stem);
  std::string name;
  for (size_t i = 0; i < words.size(); ++i) {
    const char c = words[i];
    if (c == '_') {
      name += ' ';
    } else if (isCapital(c) && i > 0 && isSmall(words[i - 1])) {
      name += ' ';
      name += static_cast<char>(c - 'A' + 'a');
    } else {
      name += c;
    }
  }
  if (name.find_first_not_of(' ') == std::string::npos) return std::string(stem);
  if (isSmall(name[0])) name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name;
}
