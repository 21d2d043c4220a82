#pragma once
// The console's registry of typed commands and variables. Every subsystem registers named
// entries when it starts and removes them when it stops; a typed line is split into a
// command word and arguments, the entry is found without regard to case, the argument is
// tested and converted by the entry's declared type, and the outcome echoed.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace console {

// The thirteen function shapes an entry can have: a command; a query, an action and a
// variable for each of int32, bool, float and text. A variable returns the current value
// and changes it first only when `set` is true; a text variable reads when given "".
using CommandFunction =
    std::variant<void (*)(), int32_t (*)(), bool (*)(), float (*)(), std::string (*)(),
                 void (*)(int32_t), void (*)(bool), void (*)(float), void (*)(const std::string&),
                 int32_t (*)(int32_t, bool), bool (*)(bool, bool), float (*)(float, bool),
                 std::string (*)(const std::string&)>;

enum class ValueType { None, Int, Bool, Float, Text };

// Whether a replay may hold the entry. Replays are shared, so a replay is a stranger's input:
// only entries that change the world the simulation steps, and do nothing outside the run
// (no file, preference, input, other level, script or log), are kept by the recorder and run
// by playback. Refused unless the entry's table says otherwise, so a new entry is safe.
enum class InReplay : bool { kRefused, kPlayed };

struct CommandEntry {
  std::string name;  // in the letter case it was registered with; used in every echo
  CommandFunction function;
  ValueType valueType = ValueType::None;
  bool takesArgument = false;
  bool returnsValue = false;
  InReplay inReplay = InReplay::kRefused;
};

// Registers or replaces the entry; a name that is empty or holds a blank, or a null
// function, is dropped without a message.
void addCommand(std::string_view name, void (*function)());
void addCommand(std::string_view name, int32_t (*function)());
void addCommand(std::string_view name, bool (*function)());
void addCommand(std::string_view name, float (*function)());
void addCommand(std::string_view name, std::string (*function)());
void addCommand(std::string_view name, void (*function)(int32_t));
void addCommand(std::string_view name, void (*function)(bool));
void addCommand(std::string_view name, void (*function)(float));
void addCommand(std::string_view name, void (*function)(const std::string&));
void addCommand(std::string_view name, int32_t (*function)(int32_t, bool));
void addCommand(std::string_view name, bool (*function)(bool, bool));
void addCommand(std::string_view name, float (*function)(float, bool));
void addCommand(std::string_view name, std::string (*function)(const std::string&));
// The same for a function of any of the shapes above.
void addCommandFunction(std::string_view name, CommandFunction function,
                        InReplay inReplay = InReplay::kRefused);

// The body of a console variable's function: stores `value` when `set`, then answers the
// field's value.
template <typename T>
T variableValue(T& field, T value, bool set) {
  if (set) field = value;
  return field;
}

// One row of a module's table of console entries. A module declares its entries once, in
// one table, and registers and removes them from it, so the two lists cannot drift apart.
struct NamedCommand {
  std::string_view name;
  CommandFunction function;
  InReplay inReplay = InReplay::kRefused;
};
void addCommands(std::span<const NamedCommand> table);
void removeCommands(std::span<const NamedCommand> table);

// Removes the entry of that name (any letter case); false when there was none.
bool removeCommand(std::string_view name);
void removeAllCommands();

// Interprets one typed line, printing the outcome in the console's fixed wording.
void execute(std::string_view line);
// Told of each line execute() is given, typed or from a script, before it runs (null: nobody).
using ExecutedLineObserver = void (*)(std::string_view line);
void setExecutedLineObserver(ExecutedLineObserver observer);

// Lookups in the registry's order (by the bytes of the upper-cased names); nullptr at the end.
const CommandEntry* findCommand(std::string_view name);
const CommandEntry* firstCommandAtOrAfter(std::string_view upperCasedName);
const CommandEntry* commandAfter(std::string_view upperCasedName);
size_t commandCount();

// Whether a replay may run `line`: its command word names an entry registered now that a
// replay may hold. Blank lines and unknown words may not.
bool playsInReplay(std::string_view line);

}  // namespace console
