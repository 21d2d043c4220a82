#include "common/console_output.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>
#include <string>

#include "common/regular_file.h"
#include "common/user_data_path.h"

namespace console {
namespace {

std::array<char, kOutputRingSize> ring = [] {
  std::array<char, kOutputRingSize> lines{};
  lines.fill('\n');
  return lines;
}();
uint32_t position = 0;
FileDescriptor logFile;
OutputListener listener = nullptr;
// What was printed before the console first started (the window's notes at start-up): the
// start clears the ring, so these wait here and are printed again once the console runs.
bool started = false;
std::string earlyMessages;

// Every print reaches the disk at once, with no buffer in between, so the log is complete even
// when the game crashes and a full disk shows up on the very print that failed.
bool writeToLog(std::string_view text) {
  return writeAll(logFile.get(), text);
}

// At most two block copies: up to the end of the ring, then on from its start. Of a text
// longer than the ring only its last kOutputRingSize bytes would survive anyway.
void copyIntoRing(std::string_view text) {
  if (text.size() > kOutputRingSize) {
    position = uint32_t((position + text.size() - kOutputRingSize) % kOutputRingSize);
    text.remove_prefix(text.size() - kOutputRingSize);
  }
  const size_t first = std::min<size_t>(text.size(), kOutputRingSize - position);
  std::copy_n(text.data(), first, ring.begin() + position);
  std::copy_n(text.data() + first, text.size() - first, ring.begin());
  position = uint32_t((position + text.size()) % kOutputRingSize);
}

template <typename... Args>
void printFormatted(const char* format, Args... args) {
  char buffer[64];
  const int length = std::snprintf(buffer, sizeof buffer, format, args...);
  if (length > 0)
    print(std::string_view(buffer, std::min<size_t>(size_t(length), sizeof buffer - 1)));
}

}  // namespace

void print(std::string_view text) {
  if (logFile.isOpen() && !writeToLog(text)) {
    logFile.close();
    print("\nLogging to ");
    print(kLogFileName);
    print(" stopped because of a write error.");
  }
  copyIntoRing(text);
  if (!started && earlyMessages.size() < kOutputRingSize) earlyMessages += text;
  if (listener) listener(text);
}

void print(const char* text) {
  if (text) print(std::string_view(text));
}
void print(char c) {
  print(std::string_view(&c, 1));
}
void print(int32_t value) {
  printFormatted("%1i", value);
}
void print(uint32_t value) {
  printFormatted("%1u", value);
}
void print(int64_t value) {
  printFormatted("%1" PRId64, value);
}
void print(uint64_t value) {
  printFormatted("%1" PRIu64, value);
}
void print(bool value) {
  print(value ? "true" : "false");
}
void print(float value) {
  printFormatted("%1f", double(value));
}
void print(double value) {
  printFormatted("%1f", value);
}

void printHeading(std::string_view title) {
  const std::string stars(64, '*');
  print("\n\n");
  print(stars);
  print("\n\n");
  print(title);
  print("\n\n");
  print(stars);
  print("\n\n");
}

std::string takeEarlyMessages() {
  started = true;
  std::string early = std::move(earlyMessages);
  earlyMessages.clear();
  return early;
}

void clearOutput() {
  ring.fill('\n');
  position = 0;
}

std::span<const char> outputRing() {
  return ring;
}
uint32_t writePosition() {
  return position;
}

void startLogging() {
  if (logFile.isOpen()) return;
  // The log is the player's file and goes to the user data folder. Only a new or regular file
  // becomes the log: a pipe would stall the game at the first print, and a folder or a device
  // is no place for it.
  if (const auto path = prepareUserDataPath(kLogFileName)) logFile = createRegularFile(*path);
  if (logFile.isOpen()) {
    print("\nCommencing console log to ");
    print(kLogFileName);  // a failure of this first write is reported by print itself
    return;
  }
  print("\nUnable to write log to ");
  print(kLogFileName);
}

void stopLogging() {
  if (!logFile.isOpen()) return;
  logFile.close();
  print("\nLogging stopped. All output saved to ");
  print(kLogFileName);
}

bool isLogging() {
  return logFile.isOpen();
}

void setOutputListener(OutputListener newListener) {
  listener = newListener;
}

}  // namespace console
