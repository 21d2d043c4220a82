#include "tools/vmr_sim/sim_script.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "common/text.h"

namespace {

constexpr std::string_view kBlanks = " \t\r";

// Reads words off the front of a line; the rest stays available for a console line.
class LineReader {
 public:
  explicit LineReader(std::string_view line) : rest_(line) {}

  std::string_view word() {
    skipBlanks();
    const size_t end = std::min(rest_.find_first_of(kBlanks), rest_.size());
    const std::string_view word = rest_.substr(0, end);
    rest_.remove_prefix(end);
    return word;
  }

  // Whether the next word is `expected`; it is read only then.
  bool takeWord(std::string_view expected) {
    LineReader ahead = *this;
    if (ahead.word() != expected) return false;
    *this = ahead;
    return true;
  }

  // Everything not read yet, without its leading and trailing blanks; the line is then read.
  std::string_view rest() {
    skipBlanks();
    const size_t last = rest_.find_last_not_of(kBlanks);
    const std::string_view rest =
        last == std::string_view::npos ? std::string_view() : rest_.substr(0, last + 1);
    rest_ = {};
    return rest;
  }

 private:
  void skipBlanks() {
    const size_t start = rest_.find_first_not_of(kBlanks);
    rest_.remove_prefix(start == std::string_view::npos ? rest_.size() : start);
  }

  std::string_view rest_;
};

template <typename Number>
bool parseWhole(std::string_view word, Number& value) {
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size();
}

bool parseNumber(std::string_view word, float& value) {
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size() && std::isfinite(value);
}

std::string timeText(const ScriptTime& time) {
  return time.seconds ? shortestText(time.amount) + " s" : "tick " + shortestText(time.amount);
}

std::string quoted(std::string_view word) {
  return "\"" + std::string(word) + "\"";
}

// "<what>, not "<word>"", or "<what>; none given" at the end of the line.
std::string refused(std::string_view what, std::string_view word) {
  return std::string(what) + (word.empty() ? "; none given" : ", not " + quoted(word));
}

// The longest time a script may name in seconds: about four months of play.
constexpr double kMaxSeconds = 1e7;

// The unit the script's first time was written in, which every later time keeps.
struct ScriptUnit {
  std::optional<bool> seconds;

  std::string take(const ScriptTime& time) {
    if (!seconds) seconds = time.seconds;
    if (*seconds == time.seconds) return {};
    return *seconds ? "this script counts in seconds: follow every time with \"s\""
                    : "this script counts in ticks: write no \"s\" after a time";
  }
};

// A time: a whole number of ticks from `least`, or a number of seconds from 0 (above 0 when
// `least` is above 0) when "s" follows it. An empty error when it read.
std::string parseTime(LineReader& reader, int64_t least, std::string_view refusal,
                      ScriptTime& time, ScriptUnit& unit) {
  const std::string_view word = reader.word();
  time.seconds = reader.takeWord("s");
  if (time.seconds) {
    float seconds = 0.0f;
    if (!parseNumber(word, seconds) || seconds < 0.0f || (least > 0 && seconds == 0.0f) ||
        seconds > kMaxSeconds)
      return refused(least > 0 ? "the time is a number of seconds above 0"
                               : "the time is a number of seconds from 0",
                     word);
    time.amount = seconds;
  } else {
    int64_t ticks = 0;
    if (!parseWhole(word, ticks) || ticks < least) return refused(refusal, word);
    time.amount = double(ticks);
  }
  return unit.take(time);
}

// The action after "at TIME"; an empty error when it read.
std::string parseAction(LineReader& reader, ScriptAction& action, ScriptUnit& unit) {
  const std::string_view kind = reader.word();
  if (kind == "angle") {
    action.kind = ScriptActionKind::kAngle;
    const std::string_view degrees = reader.word();
    if (!parseNumber(degrees, action.degrees))
      return refused("angle takes a number of degrees", degrees);
  } else if (kind == "hold") {
    action.kind = ScriptActionKind::kHold;
    const std::string_view key = reader.word();
    if (key != "left" && key != "right") return refused("hold takes left or right", key);
    action.key = key == "left" ? ScriptKey::kLeft : ScriptKey::kRight;
    if (std::string problem = parseTime(reader, 1, "hold takes a whole number of ticks from 1",
                                        action.holdFor, unit);
        !problem.empty())
      return problem;
  } else if (kind == "console") {
    action.kind = ScriptActionKind::kConsole;
    action.consoleLine = reader.rest();
    if (action.consoleLine.empty()) return "console needs a line to type";
  } else if (kind == "restart") {
    action.kind = ScriptActionKind::kRestart;
  } else if (kind.empty()) {
    return "nothing to do at " + timeText(action.at);
  } else {
    return "unknown action " + quoted(kind) + "; expected angle, hold, console or restart";
  }
  const std::string_view extra = reader.rest();
  return extra.empty() ? std::string() : "unexpected " + quoted(extra) + " after the action";
}

// What follows "expect"; an empty error when it read.
std::string parseExpectation(LineReader& reader, RouteExpectation& expected, ScriptUnit& unit) {
  const std::string_view what = reader.word();
  if (what == "win") {
    const std::string_view by = reader.word();
    if (by != "by") return refused("expected \"expect win by TICK\"", by);
    ScriptTime deadline;
    if (std::string problem =
            parseTime(reader, 0, "the tick is a whole number from 0", deadline, unit);
        !problem.empty())
      return problem;
    expected.winBy = deadline;
  } else if (what == "water") {
    const std::string_view share = reader.word();
    float value = 0.0f;
    if (!parseNumber(share, value) || value < 0.0f || value > 1.0f)
      return refused("the water share is a number from 0 to 1", share);
    expected.waterShare = value;
  } else {
    return refused("expected \"expect win by TICK\" or \"expect water SHARE\"", what);
  }
  const std::string_view extra = reader.rest();
  return extra.empty() ? std::string() : "unexpected " + quoted(extra) + " after the expectation";
}

// One line that is neither blank nor a remark; an empty error when it read.
std::string parseLine(std::string_view line, ScriptAction& action, RouteExpectation& expected,
                      ScriptUnit& unit, bool& isAction) {
  LineReader reader(line);
  const std::string_view at = reader.word();
  isAction = at == "at";
  if (at == "expect") return parseExpectation(reader, expected, unit);
  if (at != "at") return refused("expected \"at TICK ACTION\" or \"expect ...\"", at);
  if (std::string problem =
          parseTime(reader, 0, "the tick is a whole number from 0", action.at, unit);
      !problem.empty())
    return problem;
  return parseAction(reader, action, unit);
}

bool isBlankOrRemark(std::string_view line) {
  const size_t first = line.find_first_not_of(kBlanks);
  return first == std::string_view::npos || line[first] == '#';
}

}  // namespace

std::optional<SimScript> parseSimScript(std::string_view text, std::string& error) {
  SimScript script;
  ScriptUnit unit;
  int32_t lineNumber = 0;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    ++lineNumber;
    if (isBlankOrRemark(line)) continue;
    ScriptAction action;
    action.lineNumber = lineNumber;
    bool isAction = false;
    const std::string problem = parseLine(line, action, script.expected, unit, isAction);
    if (!problem.empty()) {
      error = "line " + std::to_string(lineNumber) + ": " + problem;
      return std::nullopt;
    }
    if (isAction) script.actions.push_back(std::move(action));
  }
  std::stable_sort(script.actions.begin(), script.actions.end(),
                   [](const ScriptAction& a, const ScriptAction& b) { return a.at.amount < b.at.amount; });
  return script;
}
