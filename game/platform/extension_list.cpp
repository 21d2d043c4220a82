#include "game/platform/extension_list.h"

namespace window {

bool extensionListHas(std::string_view list, std::string_view name) {
  if (name.empty()) return false;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find(' ', start);
    if (end == std::string_view::npos) end = list.size();
    if (list.substr(start, end - start) == name) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace window
