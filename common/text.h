#pragma once
// The small text tests and conversions shared by the configuration files, the command line,
// the preferences and the console. They work on ASCII only and keep no state.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Non-empty, decimal digits only, with an optional leading "-" (a lone "-" passes).
bool isInteger(std::string_view text);
// As isInteger, plus at most one "." anywhere ("-.5", "3." and "." pass; "1e3" fails), and
// the value fits a float: a text of forty digits, which would read as infinity, fails.
bool isNumber(std::string_view text);
// Digits and at most one point, as isNumber asks, but beyond a float's range.
bool isNumberOutOfRange(std::string_view text);
// "TRUE" or "FALSE" in any letter case.
bool isBoolean(std::string_view text);

// The decimal value, or 0 when the text fails isInteger. Out-of-range values saturate.
int32_t toInteger(std::string_view text);
// The value computed in double precision and narrowed to float; 0.0 when it fails isNumber.
float toNumber(std::string_view text);
// True exactly for "TRUE" in any letter case.
bool toBoolean(std::string_view text);

// Change the ASCII letters in place; every other byte is left alone.
void toUpper(std::string& text);
void toLower(std::string& text);
std::string upperCased(std::string_view text);

// The shortest decimal text that reads back as exactly this value ("0.1", "1e+30").
std::string shortestText(float value);
std::string shortestText(double value);

// Blank, tab, carriage return, line feed and backspace separate words.
bool isWordSeparator(char c);
// The words in order; no quoting. Empty text gives an empty list.
std::vector<std::string> splitWords(std::string_view text);

// Equal without regard to ASCII letter case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The text with every byte that is not printable ASCII shown as '?', so text from a file
// can't send control or escape sequences to a terminal.
std::string printableText(std::string_view text);
