#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/text.h"

TEST(TextTests, IntegerTestAcceptsDigitsWithOneLeadingMinus) {
  for (const char* text : {"0", "42", "-7", "-", "007"}) EXPECT_TRUE(isInteger(text)) << text;
  for (const char* text : {"", "+5", "1.0", "1 2", "5-", "--1", "0x10", " 1"}) {
    EXPECT_FALSE(isInteger(text)) << text;
  }
}

TEST(TextTests, NumberTestAllowsOnePointAnywhereAndOnlyWhatAFloatHolds) {
  using Texts = std::vector<std::string>;
  const std::string forty(40, '9');
  const std::string floatMax = "340282346638528859811704183484516925440";
  for (const std::string& text : Texts{"-.5", "3.", ".", "12.25", "-", "7", floatMax,
                                       "0.0000000000000000000000000000000000000000000001"})
    EXPECT_TRUE(isNumber(text)) << text;
  for (const std::string& text : Texts{"1e3", "1.2.3", "0,5", "", "+1.0", "1.-2", forty,
                                       "-" + forty, forty + ".5", std::string(400, '9')}) {
    EXPECT_FALSE(isNumber(text)) << text;
  }
}

TEST(TextTests, ConversionsGiveZeroForTextThatFailsItsTest) {
  EXPECT_EQ(toInteger("-123"), -123);
  EXPECT_EQ(toInteger("-"), 0);
  EXPECT_EQ(toInteger("12a"), 0);
  EXPECT_FLOAT_EQ(toNumber("-.5"), -0.5f);
  EXPECT_FLOAT_EQ(toNumber("3."), 3.0f);
  EXPECT_FLOAT_EQ(toNumber("."), 0.0f);
  EXPECT_FLOAT_EQ(toNumber("0,5"), 0.0f);
  EXPECT_FLOAT_EQ(toNumber("2.5"), 2.5f);
  EXPECT_EQ(toNumber(std::string(40, '9')), 0.0f);
}

TEST(TextTests, HugeIntegersSaturateInsteadOfOverflowing) {
  EXPECT_EQ(toInteger("99999999999999999999999"), 2147483647);
  EXPECT_EQ(toInteger("-99999999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(toInteger("2147483647"), 2147483647);
}

TEST(TextTests, NumbersIgnoreTheDesktopLocale) {
  // A German locale writes decimal commas; configuration files never do.
  if (setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
  EXPECT_FLOAT_EQ(toNumber("2.5"), 2.5f);
  setlocale(LC_NUMERIC, "C");
}

TEST(TextTests, BooleansMatchTrueAndFalseInAnyCase) {
  EXPECT_TRUE(isBoolean("TrUe"));
  EXPECT_TRUE(isBoolean("false"));
  EXPECT_FALSE(isBoolean("yes"));
  EXPECT_FALSE(isBoolean("1"));
  EXPECT_TRUE(toBoolean("True"));
  EXPECT_FALSE(toBoolean("FALSE"));
  EXPECT_FALSE(toBoolean("yes"));
}

TEST(TextTests, CaseChangesTouchAsciiLettersOnly) {
  std::string text = "abc-XYZ_\xe4\xc4 9";
  toUpper(text);
  EXPECT_EQ(text, "ABC-XYZ_\xe4\xc4 9");
  toLower(text);
  EXPECT_EQ(text, "abc-xyz_\xe4\xc4 9");
}

TEST(TextTests, SplitWordsUsesAllFiveSeparatorsAndNoQuoting) {
  EXPECT_EQ(splitWords(" a\tb\r\nc\bd  \"e f\" "),
            (std::vector<std::string>{"a", "b", "c", "d", "\"e", "f\""}));
  EXPECT_TRUE(splitWords("").empty());
  EXPECT_TRUE(splitWords(" \t\n").empty());
}

TEST(TextTests, ShortestTextReadsBackAsTheSameValue) {
  for (float value : {0.1f, 1e30f, -0.0f, 16777217.0f, 3.4028235e38f, 1e-45f}) {
    EXPECT_EQ(std::strtof(shortestText(value).c_str(), nullptr), value) << shortestText(value);
  }
  EXPECT_EQ(shortestText(0.1f), "0.1");
  EXPECT_EQ(shortestText(0.1), "0.1");
}
