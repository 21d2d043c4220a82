#include "common/command_registry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <vector>

#include "common/console_output.h"
#include "common/text.h"

namespace console {
namespace {

using Arguments = std::vector<std::string>;

std::map<std::string, CommandEntry, std::less<>> registry;

// Value type, takes argument, returns value: one row per alternative of CommandFunction.
struct Shape {
  ValueType type;
  bool takesArgument;
  bool returnsValue;
};
constexpr Shape kShapes[] = {
    {ValueType::None, false, false},  // command
    {ValueType::Int, false, true},    // query
    {ValueType::Bool, false, true},   // query
    {ValueType::Float, false, true},  // query
    {ValueType::Text, false, true},   // query
    {ValueType::Int, true, false},    // action
    {ValueType::Bool, true, false},   // action
    {ValueType::Float, true, false},  // action
    {ValueType::Text, true, false},   // action
    {ValueType::Int, true, true},     // variable
    {ValueType::Bool, true, true},    // variable
    {ValueType::Float, true, true},   // variable
    {ValueType::Text, true, true},    // variable
};
static_assert(std::size(kShapes) == std::variant_size_v<CommandFunction>);

bool isNullFunction(const CommandFunction& function) {
  return std::visit([](auto pointer) { return pointer == nullptr; }, function);
}

void printUsage(const CommandEntry& entry, std::string_view argumentText) {
  print("\nUSAGE: ");
  print(entry.name);
  print(argumentText);
}

void printBadCommand() {
  print("\nBAD COMMAND. NON VOID FUNCTION WITH NO RETURN OR ARGUMENT !");
}

template <typename T>
void printValue(const CommandEntry& entry, std::string_view verb, const T& value) {
  print("\n");
  print(entry.name);
  print(verb);
  print(value);
}

// The first argument word as a value of the entry's type, or nothing when it fails.
template <typename T>
std::optional<T> convertArgument(const std::string& word);

template <>
std::optional<float> convertArgument<float>(const std::string& word) {
  if (!isNumber(word)) return std::nullopt;
  return toNumber(word);
}

template <>
std::optional<int32_t> convertArgument<int32_t>(const std::string& word) {
  if (!isNumber(word)) return std::nullopt;
  // Truncated toward zero; numbers beyond the int32 range stop at its ends.
  const double value = std::trunc(double(toNumber(word)));
  return int32_t(std::clamp<double>(value, std::numeric_limits<int32_t>::min(),
                                    std::numeric_limits<int32_t>::max()));
}

template <>
std::optional<bool> convertArgument<bool>(const std::string& word) {
  if (isBoolean(word)) return toBoolean(word);
  if (isNumber(word)) return std::trunc(toNumber(word)) >= 1.0f;
  return std::nullopt;
}

struct UsageTexts {
  std::string_view action;
  std::string_view variable;
};

template <typename T>
constexpr UsageTexts kUsage{};
template <>
constexpr UsageTexts kUsage<int32_t>{" < integer number >", " < integer number OR nothing >"};
template <>
constexpr UsageTexts kUsage<bool>{" < true OR false >", " < true OR false OR nothing >"};
template <>
constexpr UsageTexts kUsage<float>{" < number >", " < number OR nothing >"};

template <typename T>
void dispatchQuery(const CommandEntry& entry, const Arguments& arguments) {
  const auto function = std::get_if<T (*)()>(&entry.function);
  if (!function) return printBadCommand();
  if (!arguments.empty()) return printUsage(entry, " < nothing >");
  printValue(entry, " is ", (*function)());
}

template <typename T>
void dispatchAction(const CommandEntry& entry, const Arguments& arguments) {
  const auto function = std::get_if<void (*)(T)>(&entry.function);
  if (!function) return printBadCommand();
  const auto value = arguments.size() == 1 ? convertArgument<T>(arguments[0]) : std::nullopt;
  if (!value) return printUsage(entry, kUsage<T>.action);
  (*function)(*value);
}

template <typename T>
void dispatchVariable(const CommandEntry& entry, const Arguments& arguments) {
  const auto function = std::get_if<T (*)(T, bool)>(&entry.function);
  if (!function) return printBadCommand();
  if (arguments.empty()) return printValue(entry, " is ", (*function)(T{}, false));
  const auto value = arguments.size() == 1 ? convertArgument<T>(arguments[0]) : std::nullopt;
  if (!value) return printUsage(entry, kUsage<T>.variable);
  printValue(entry, " is now ", (*function)(*value, true));
}

template <typename T>
void dispatchNumeric(const CommandEntry& entry, const Arguments& arguments) {
  if (entry.takesArgument && entry.returnsValue) return dispatchVariable<T>(entry, arguments);
  if (entry.takesArgument) return dispatchAction<T>(entry, arguments);
  if (entry.returnsValue) return dispatchQuery<T>(entry, arguments);
  printBadCommand();
}

// Text entries take the rest of the line as it was typed, not split into words.
void dispatchText(const CommandEntry& entry, const std::string& rest) {
  if (entry.takesArgument && entry.returnsValue) {
    const auto function = std::get_if<std::string (*)(const std::string&)>(&entry.function);
    if (!function) return printBadCommand();
    return printValue(entry, rest.empty() ? " is " : " is now ", (*function)(rest));
  }
  if (entry.takesArgument) {
    const auto function = std::get_if<void (*)(const std::string&)>(&entry.function);
    if (!function) return printBadCommand();
    return (*function)(rest);
  }
  if (entry.returnsValue)
    return dispatchQuery<std::string>(entry, rest.empty() ? Arguments{} : Arguments{rest});
  printBadCommand();
}

void dispatchCommand(const CommandEntry& entry, const Arguments& arguments) {
  const auto function = std::get_if<void (*)()>(&entry.function);
  if (!function) return printBadCommand();
  if (!arguments.empty()) return printUsage(entry, " < nothing >");
  (*function)();
}

void dispatch(const CommandEntry& entry, const std::string& rest) {
  const Arguments arguments = splitWords(rest);
  switch (entry.valueType) {
    case ValueType::None: return dispatchCommand(entry, arguments);
    case ValueType::Int: return dispatchNumeric<int32_t>(entry, arguments);
    case ValueType::Bool: return dispatchNumeric<bool>(entry, arguments);
    case ValueType::Float: return dispatchNumeric<float>(entry, arguments);
    case ValueType::Text: return dispatchText(entry, rest);
  }
  print("\nBAD COMMAND. FUNCTION RETURN / ARGUMENT TYPES ARE NOT KNOWN !");
}

ExecutedLineObserver executedLineObserver = nullptr;

// The line's first word, after any leading blanks; empty for a blank line.
std::string_view commandWord(std::string_view line) {
  const size_t start = line.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  return line.substr(start, std::min(line.find(' ', start), line.size()) - start);
}

}  // namespace

void addCommandFunction(std::string_view name, CommandFunction function, InReplay inReplay) {
  if (name.empty() || name.find(' ') != std::string_view::npos) return;
  if (isNullFunction(function)) return;
  const Shape shape = kShapes[function.index()];
  registry.insert_or_assign(
      upperCased(name), CommandEntry{std::string(name), function, shape.type, shape.takesArgument,
                                     shape.returnsValue, inReplay});
}

void addCommand(std::string_view name, void (*f)()) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, int32_t (*f)()) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, bool (*f)()) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, float (*f)()) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, std::string (*f)()) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, void (*f)(int32_t)) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, void (*f)(bool)) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, void (*f)(float)) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, void (*f)(const std::string&)) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, int32_t (*f)(int32_t, bool)) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, bool (*f)(bool, bool)) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, float (*f)(float, bool)) {
  addCommandFunction(name, f);
}
void addCommand(std::string_view name, std::string (*f)(const std::string&)) {
  addCommandFunction(name, f);
}

bool removeCommand(std::string_view name) {
  return registry.erase(upperCased(name)) > 0;
}

void removeAllCommands() {
  registry.clear();
}

void setExecutedLineObserver(ExecutedLineObserver observer) {
  executedLineObserver = observer;
}

void execute(std::string_view line) {
  if (executedLineObserver != nullptr) executedLineObserver(line);
  const std::string_view word = commandWord(line);
  if (word.empty()) return;
  const size_t wordEnd = size_t(word.data() - line.data()) + word.size();
  // The rest starts after the single blank that ends the word; further blanks belong to it.
  const std::string rest(wordEnd < line.size() ? line.substr(wordEnd + 1) : std::string_view());

  const CommandEntry* entry = findCommand(word);
  if (!entry) {
    print("\nUNKNOWN COMMAND. USE 'COMMANDS' FOR A LIST OF AVAILABLE COMMANDS.");
    return;
  }
  // Copied, so an entry that removes itself (or its module's table) can still be echoed.
  const CommandEntry running = *entry;
  dispatch(running, rest);
}

const CommandEntry* findCommand(std::string_view name) {
  const auto it = registry.find(upperCased(name));
  return it == registry.end() ? nullptr : &it->second;
}

const CommandEntry* firstCommandAtOrAfter(std::string_view upperCasedName) {
  const auto it = registry.lower_bound(upperCasedName);
  return it == registry.end() ? nullptr : &it->second;
}

const CommandEntry* commandAfter(std::string_view upperCasedName) {
  const auto it = registry.upper_bound(upperCasedName);
  return it == registry.end() ? nullptr : &it->second;
}

size_t commandCount() {
  return registry.size();
}

bool playsInReplay(std::string_view line) {
  const std::string_view word = commandWord(line);
  const CommandEntry* entry = word.empty() ? nullptr : findCommand(word);
  return entry != nullptr && entry->inReplay == InReplay::kPlayed;
}

void addCommands(std::span<const NamedCommand> table) {
  for (const NamedCommand& entry : table)
    addCommandFunction(entry.name, entry.function, entry.inReplay);
}

void removeCommands(std::span<const NamedCommand> table) {
  for (const NamedCommand& entry : table) removeCommand(entry.name);
}

}  // namespace console
