#pragma once
// The console's input line: typing in insert or overwrite mode, cursor keys, a history of
// the last sixteen executed lines, and Tab completion that cycles through every command
// name beginning with the typed text.

#include <string>
#include <string_view>

namespace console {

constexpr size_t kInputLineLength = 255;
constexpr int kHistoryLength = 16;

// Handles one key (a Windows virtual-key code) pressed while the console is open.
void consoleKey(int virtualKey);

// Puts a whole line in the input as if it had been typed (cut to the line's length) and
// presses Enter: the line is echoed, kept in the history and executed.
void submitLine(std::string_view line);

// Empties the input line, the history and any completion in progress.
void resetLineEditor();
void clearInputLine();

const std::string& inputLine();
int cursorPosition();
// Entry 0 is the newest; an entry never written is empty.
const std::string& historyEntry(int index);

}  // namespace console
