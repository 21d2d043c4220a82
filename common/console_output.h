#pragma once
// The console's output: a fixed ring of 65535 characters that every subsystem prints into,
// and an optional copy of everything printed into "ConsoleLog.txt" in the per-user data folder
// (common/user_data_path.h). Printing only copies bytes, so subsystems print freely every
// frame; the oldest text is overwritten silently.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace console {

constexpr uint32_t kOutputRingSize = 65535;
constexpr std::string_view kLogFileName = "ConsoleLog.txt";

void print(std::string_view text);
void print(const char* text);
void print(char c);
void print(int32_t value);   // "%1i"
void print(uint32_t value);  // "%1u"
void print(int64_t value);
void print(uint64_t value);
void print(bool value);    // "true" or "false"
void print(float value);   // "%1f"
void print(double value);  // "%1f"
// "\n\n", 64 asterisks, "\n\n", the title, "\n\n", 64 asterisks, "\n\n".
void printHeading(std::string_view title);

// Every byte a line feed, write position 0.
void clearOutput();
// What was printed before the console first started, handed over once; later prints are
// not kept. The console prints it again once it runs.
std::string takeEarlyMessages();
// The ring as it stands, and the index where the next byte goes.
std::span<const char> outputRing();
uint32_t writePosition();

// Starts copying output into the log file (only when not logging yet).
void startLogging();
// Closes the log file (only when logging).
void stopLogging();
bool isLogging();

// Receives every printed text as well (the headless simulator streams it to its standard
// output this way); nullptr to stop.
using OutputListener = void (*)(std::string_view text);
void setOutputListener(OutputListener listener);

}  // namespace console
