#include "game/console/line_editor.h"

#include <array>

#include "common/command_registry.h"
#include "common/console_output.h"
#include "common/text.h"
#include "game/platform/platform_services.h"
#include "game/platform/virtual_keys.h"

namespace console {
namespace {

std::string line;
int cursor = 0;
std::array<std::string, kHistoryLength> history;
int historyPosition = -1;
std::string completionPrefix;  // empty when no completion is in progress

int lineLength() {
  return int(line.size());
}

void setLine(std::string_view text) {
  line.assign(text.substr(0, kInputLineLength));
  cursor = lineLength();
}

void pressEnter() {
  print("\n");
  print(line);
  historyPosition = -1;
  std::move_backward(history.begin(), history.end() - 1, history.end());
  history[0] = line;
  const std::string executed = line;
  clearInputLine();
  completionPrefix.clear();
  execute(executed);
}

void browseHistory(int step) {
  const int target = historyPosition + step;
  if (target < 0 || target >= kHistoryLength || history[size_t(target)].empty()) return;
  historyPosition = target;
  setLine(history[size_t(target)]);
  completionPrefix.clear();
}

// The entry can complete the prefix: its name begins with it and fits in the line.
bool completesPrefix(const CommandEntry* entry) {
  return entry && entry->name.size() <= kInputLineLength &&
         upperCased(entry->name).starts_with(completionPrefix);
}

// Completion from the prefix: the first name at or after it, when it begins with it.
void startCompletion() {
  completionPrefix = upperCased(line);
  const CommandEntry* entry = firstCommandAtOrAfter(completionPrefix);
  if (completesPrefix(entry)) line = entry->name;
  cursor = lineLength();
}

// Repeated Tab presses walk the names that begin with the prefix, then start over.
void completeName() {
  if (completionPrefix.empty()) return startCompletion();
  const std::string current = upperCased(line);
  if (findCommand(current)) {
    const CommandEntry* next = commandAfter(current);
    if (completesPrefix(next)) {
      setLine(next->name);
      return;
    }
  }
  line = completionPrefix;
  completionPrefix.clear();
  startCompletion();
}

void eraseAt(int index) {
  if (index >= 0 && index < lineLength()) line.erase(size_t(index), 1);
  completionPrefix.clear();
  historyPosition = -1;
}

void typeCharacter(int virtualKey) {
  const char c = platform::services().keyToChar(virtualKey);
  if (c == 0 || cursor >= int(kInputLineLength)) return;
  const bool insertMode = platform::services().isKeyToggled(vk::kInsert);
  if (insertMode || cursor == lineLength()) {
    line.insert(size_t(cursor), 1, c);
    // A full line keeps its length: inserting pushes its last character out.
    if (line.size() > kInputLineLength) line.resize(kInputLineLength);
  } else {
    line[size_t(cursor)] = c;
  }
  ++cursor;
  completionPrefix.clear();
  historyPosition = -1;
}

}  // namespace

void consoleKey(int virtualKey) {
  switch (virtualKey) {
    case vk::kBackspace:
      if (cursor > 0) eraseAt(--cursor);
      completionPrefix.clear();
      historyPosition = -1;
      return;
    case vk::kTab:
      completeName();
      historyPosition = -1;
      return;
    case vk::kReturn: return pressEnter();
    case vk::kEscape:
      clearInputLine();
      historyPosition = -1;
      completionPrefix.clear();
      return;
    case vk::kEnd: cursor = lineLength(); return;
    case vk::kHome: cursor = 0; return;
    case vk::kLeft:
      if (cursor > 0) --cursor;
      return;
    case vk::kRight:
      if (cursor < lineLength()) ++cursor;
      return;
    case vk::kUp: return browseHistory(+1);
    case vk::kDown: return browseHistory(-1);
    case vk::kDelete: return eraseAt(cursor);
    default: return typeCharacter(virtualKey);
  }
}

void submitLine(std::string_view text) {
  setLine(text);
  pressEnter();
}

void resetLineEditor() {
  clearInputLine();
  history.fill({});
  historyPosition = -1;
  completionPrefix.clear();
}

void clearInputLine() {
  line.clear();
  cursor = 0;
}

const std::string& inputLine() {
  return line;
}
int cursorPosition() {
  return cursor;
}

const std::string& historyEntry(int index) {
  static const std::string kNone;
  return index >= 0 && index < kHistoryLength ? history[size_t(index)] : kNone;
}

}  // namespace console
