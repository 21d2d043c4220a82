#include "common/messages.h"

#include <cstdio>

namespace {

void printToStandardError(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
}

MessageSink currentSink = printToStandardError;

constexpr size_t kLongestExcerpt = 64;

}  // namespace

void setMessageSink(MessageSink sink) {
  currentSink = sink ? sink : printToStandardError;
}

void printMessage(std::string_view text) {
  currentSink(text);
}

std::string messageExcerpt(std::string_view text) {
  if (text.size() <= kLongestExcerpt) return std::string(text);
  return std::string(text.substr(0, kLongestExcerpt)) + "...";
}
