#include "common/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
char upperOf(char c) {
  return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
char lowerOf(char c) {
  return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// Digits with an optional leading minus and at most `pointsAllowed` decimal points.
bool isDecimal(std::string_view text, int pointsAllowed) {
  if (text.empty()) return false;
  int points = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (isDigit(c)) continue;
    if (c == '-' && i == 0) continue;
    if (c == '.' && ++points <= pointsAllowed) continue;
    return false;
  }
  return true;
}

// The value of a decimal text computed in double precision and narrowed to float; infinite
// when it is beyond a float's range. from_chars ignores the locale, so a German desktop still
// reads "2.5" as two and a half.
float decimalValue(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) return std::numeric_limits<float>::infinity();
  return float(value);
}

}  // namespace

bool isInteger(std::string_view text) {
  return isDecimal(text, 0);
}
// A number must also fit a float: forty digits typed in full would read as infinity, and one
// infinity among the water's numbers turns every position it meets into NaN.
bool isNumber(std::string_view text) {
  return isDecimal(text, 1) && std::isfinite(decimalValue(text));
}

bool isNumberOutOfRange(std::string_view text) {
  return isDecimal(text, 1) && !std::isfinite(decimalValue(text));
}

bool isBoolean(std::string_view text) {
  return equalsIgnoringCase(text, "TRUE") || equalsIgnoringCase(text, "FALSE");
}

int32_t toInteger(std::string_view text) {
  if (!isInteger(text)) return 0;
  const bool negative = text[0] == '-';
  // Accumulate in 64 bits and saturate, so a long run of digits can't overflow.
  int64_t magnitude = 0;
  for (char c : text.substr(negative ? 1 : 0)) {
    magnitude = std::min<int64_t>(magnitude * 10 + (c - '0'), int64_t{1} << 32);
  }
  const int64_t value = negative ? -magnitude : magnitude;
  return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
}

float toNumber(std::string_view text) {
  return isNumber(text) ? decimalValue(text) : 0.0f;
}

bool toBoolean(std::string_view text) {
  return equalsIgnoringCase(text, "TRUE");
}

void toUpper(std::string& text) {
  std::transform(text.begin(), text.end(), text.begin(), upperOf);
}
void toLower(std::string& text) {
  std::transform(text.begin(), text.end(), text.begin(), lowerOf);
}

std::string upperCased(std::string_view text) {
  std::string copy(text);
  toUpper(copy);
  return copy;
}

namespace {

template <typename Float>
std::string shortestTextOf(Float value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace

std::string shortestText(float value) {
  return shortestTextOf(value);
}
std::string shortestText(double value) {
  return shortestTextOf(value);
}

bool isWordSeparator(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\b';
}

std::vector<std::string> splitWords(std::string_view text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isWordSeparator(text[i])) ++i;
    const size_t start = i;
    while (i < text.size() && !isWordSeparator(text[i])) ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return upperOf(x) == upperOf(y);
         });
}

std::string printableText(std::string_view text) {
  std::string shown(text);
  for (char& c : shown)
    if (c < ' ' || c > '~') c = '?';
  return shown;
}
