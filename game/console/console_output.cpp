#include "game/console/console_output.h"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>
#include <memory>

#include "common/data_path.h"

namespace console {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::array<char, kOutputRingSize> ring = [] {
  std::array<char, kOutputRingSize> lines{};
  lines.fill('\n');
  return lines;
}();
uint32_t position = 0;
std::unique_ptr<std::FILE, FileCloser> logFile;
OutputListener listener = nullptr;

// Every print reaches the disk at once, so the log is complete even when the game crashes
// and a full disk shows up on the very print that failed.
bool writeToLog(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), logFile.get());
  std::fflush(logFile.get());
  return !std::ferror(logFile.get()) && !std::feof(logFile.get());
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
  if (logFile && !writeToLog(text)) {
    logFile.reset();
    print("\nLogging to ");
    print(kLogFileName);
    print(" stopped because of a write error.");
  }
  copyIntoRing(text);
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
  if (logFile) return;
  logFile.reset(std::fopen(resolveDataPath(kLogFileName).c_str(), "wb"));
  if (logFile && !std::ferror(logFile.get())) {
    print("\nCommencing console log to ");
    print(kLogFileName);  // a failure of this first write is reported by print itself
    return;
  }
  logFile.reset();
  print("\nUnable to write log to ");
  print(kLogFileName);
}

void stopLogging() {
  if (!logFile) return;
  logFile.reset();
  print("\nLogging stopped. All output saved to ");
  print(kLogFileName);
}

bool isLogging() {
  return logFile != nullptr;
}

void setOutputListener(OutputListener newListener) {
  listener = newListener;
}

}  // namespace console
