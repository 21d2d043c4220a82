#include "console_test_support.h"
#include "common/command_registry.h"

namespace {

// Entries that record what reached them.
int32_t intValue = 0;
bool boolValue = false;
float floatValue = 0.0f;
std::string textValue;
std::string lastCall;

int32_t intVariable(int32_t value, bool set) {
  return set ? (intValue = value) : intValue;
}
bool boolVariable(bool value, bool set) {
  return set ? (boolValue = value) : boolValue;
}
float floatVariable(float value, bool set) {
  return set ? (floatValue = value) : floatValue;
}
std::string textVariable(const std::string& value) {
  if (!value.empty()) textValue = value;
  return textValue;
}
void intAction(int32_t value) {
  lastCall = "int " + std::to_string(value);
}
void boolAction(bool value) {
  lastCall = value ? "bool true" : "bool false";
}
void floatAction(float value) {
  lastCall = "float " + std::to_string(value);
}
void textAction(const std::string& value) {
  lastCall = "text [" + value + "]";
}
int32_t intQuery() {
  return 42;
}
bool boolQuery() {
  return true;
}
float floatQuery() {
  return 0.5f;
}
std::string textQuery() {
  return "1.03";
}
void command() {
  lastCall = "command";
}
void otherCommand() {
  lastCall = "other";
}

class RegistryTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    intValue = 0;
    boolValue = false;
    floatValue = 0.0f;
    textValue = "start";
    lastCall.clear();
  }
  std::string run(std::string_view line) {
    takePrinted();
    console::execute(line);
    return takePrinted();
  }
};

}  // namespace

TEST_F(RegistryTest, NamesMatchWithoutRegardToCaseAndEchoTheRegisteredCase) {
  console::addCommand("Gravity", floatVariable);
  EXPECT_EQ(run("gravity 300"), "\nGravity is now 300.000000");
  EXPECT_EQ(run("GRAVITY"), "\nGravity is 300.000000");
}

TEST_F(RegistryTest, UnknownWordsAndBlankLines) {
  EXPECT_EQ(run("nothing here"),
            "\nUNKNOWN COMMAND. USE 'COMMANDS' FOR A LIST OF AVAILABLE COMMANDS.");
  EXPECT_EQ(run(""), "");
  EXPECT_EQ(run("     "), "");
  // Only blanks end the command word: a tab stays part of it.
  console::addCommand("Plain", command);
  EXPECT_EQ(run("Plain\t"), "\nUNKNOWN COMMAND. USE 'COMMANDS' FOR A LIST OF AVAILABLE COMMANDS.");
  EXPECT_EQ(run("   Plain"), "");
  EXPECT_EQ(lastCall, "command");
}

TEST_F(RegistryTest, CommandsTakeNoArgument) {
  console::addCommand("Plain", command);
  EXPECT_EQ(run("Plain now"), "\nUSAGE: Plain < nothing >");
  EXPECT_EQ(lastCall, "");
  EXPECT_EQ(run("Plain "), "");  // a trailing blank leaves no argument word
  EXPECT_EQ(lastCall, "command");
}

TEST_F(RegistryTest, QueriesPrintTheirValueInTheTypesFormat) {
  console::addCommand("IntQuery", intQuery);
  console::addCommand("BoolQuery", boolQuery);
  console::addCommand("FloatQuery", floatQuery);
  console::addCommand("Version", textQuery);
  EXPECT_EQ(run("IntQuery"), "\nIntQuery is 42");
  EXPECT_EQ(run("BoolQuery"), "\nBoolQuery is true");
  EXPECT_EQ(run("FloatQuery"), "\nFloatQuery is 0.500000");
  EXPECT_EQ(run("Version"), "\nVersion is 1.03");
  EXPECT_EQ(run("IntQuery 1"), "\nUSAGE: IntQuery < nothing >");
  EXPECT_EQ(run("Version x"), "\nUSAGE: Version < nothing >");
}

TEST_F(RegistryTest, ActionsConvertTheirOneArgumentOrPrintUsage) {
  console::addCommand("IntAction", intAction);
  console::addCommand("BoolAction", boolAction);
  console::addCommand("FloatAction", floatAction);
  EXPECT_EQ(run("IntAction -2.7"), "");
  EXPECT_EQ(lastCall, "int -2");
  EXPECT_EQ(run("IntAction"), "\nUSAGE: IntAction < integer number >");
  EXPECT_EQ(run("IntAction 1 2"), "\nUSAGE: IntAction < integer number >");
  EXPECT_EQ(run("BoolAction yes"), "\nUSAGE: BoolAction < true OR false >");
  EXPECT_EQ(run("FloatAction 1e3"), "\nUSAGE: FloatAction < number >");
  // Forty digits would read as infinity.
  EXPECT_EQ(run("FloatAction " + std::string(40, '9')), "\nUSAGE: FloatAction < number >");
  EXPECT_EQ(run("FloatAction .25"), "");
  EXPECT_EQ(lastCall, "float 0.250000");
}

TEST_F(RegistryTest, IntVariablesTruncateTowardZeroAndRefuseTwoWords) {
  console::addCommand("Count", intVariable);
  EXPECT_EQ(run("Count 3.9"), "\nCount is now 3");
  EXPECT_EQ(run("Count 3 4"), "\nUSAGE: Count < integer number OR nothing >");
  EXPECT_EQ(intValue, 3);
  EXPECT_EQ(run("Count abc"), "\nUSAGE: Count < integer number OR nothing >");
  EXPECT_EQ(run("Count 99999999999"), "\nCount is now 2147483647");
  EXPECT_EQ(run("Count"), "\nCount is 2147483647");
}

TEST_F(RegistryTest, BoolVariablesAcceptWordsAndNumbers) {
  console::addCommand("Pause", boolVariable);
  const std::pair<const char*, const char*> cases[] = {
      {"true", "true"}, {"FALSE", "false"}, {"1", "true"},
      {"0", "false"},   {"2.5", "true"},    {"0.9", "false"},
  };
  for (const auto& [argument, shown] : cases) {
    EXPECT_EQ(run(std::string("Pause ") + argument), std::string("\nPause is now ") + shown)
        << argument;
  }
  EXPECT_EQ(run("Pause yes"), "\nUSAGE: Pause < true OR false OR nothing >");
}

TEST_F(RegistryTest, TextEntriesTakeTheRestOfTheLineUnsplit) {
  console::addCommand("Map", textAction);
  console::addCommand("Name", textVariable);
  EXPECT_EQ(run("Map"), "");
  EXPECT_EQ(lastCall, "text []");
  // The single blank after the word is dropped; every further one belongs to the text.
  EXPECT_EQ(run("Map  lev\\a b.swah "), "");
  EXPECT_EQ(lastCall, "text [ lev\\a b.swah ]");
  EXPECT_EQ(run("Name"), "\nName is start");
  EXPECT_EQ(run("Name two words"), "\nName is now two words");
}

TEST_F(RegistryTest, RegistrationRulesAndReplacement) {
  console::addCommand("Has Blank", command);
  console::addCommand("", command);
  console::addCommand("Null", static_cast<void (*)()>(nullptr));
  EXPECT_EQ(console::findCommand("Has"), nullptr);
  EXPECT_EQ(console::findCommand("Null"), nullptr);

  console::addCommand("Pause", command);
  console::addCommand("PAUSE", otherCommand);
  run("pause");
  EXPECT_EQ(lastCall, "other");
  EXPECT_EQ(console::findCommand("pause")->name, "PAUSE");

  EXPECT_TRUE(console::removeCommand("pAuSe"));
  EXPECT_FALSE(console::removeCommand("Pause"));
  EXPECT_EQ(run("Pause"), "\nUNKNOWN COMMAND. USE 'COMMANDS' FOR A LIST OF AVAILABLE COMMANDS.");
}

namespace {
void removeItself() {
  console::removeAllCommands();
}
}  // namespace

TEST_F(RegistryTest, AnEntryMayRemoveItselfWhileRunning) {
  console::addCommand("SelfRemoving", removeItself);
  EXPECT_EQ(run("SelfRemoving"), "");
  EXPECT_EQ(console::commandCount(), 0u);
}

TEST_F(RegistryTest, ControlBytesAndVeryLongLinesAreHandled) {
  console::addCommand("Name", textVariable);
  const std::string longText(10'000, 'x');
  EXPECT_EQ(run("Name " + longText), "\nName is now " + longText);
  EXPECT_EQ(run(std::string("Na\0me", 5)),
            "\nUNKNOWN COMMAND. USE 'COMMANDS' FOR A LIST OF AVAILABLE COMMANDS.");
  EXPECT_EQ(run("Name \x01\x1b[2J"), "\nName is now \x01\x1b[2J");
}
