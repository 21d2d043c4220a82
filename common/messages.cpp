#include "common/messages.h"

#include <cstdio>

namespace {

void printToStandardError(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
}

MessageSink currentSink = printToStandardError;

}  // namespace

void setMessageSink(MessageSink sink) {
  currentSink = sink ? sink : printToStandardError;
}

void printMessage(std::string_view text) {
  currentSink(text);
}
