#pragma once
// A console without a window: lines from a stream are typed into the console one by one,
// and everything the console prints is streamed out as it is printed. The headless
// simulator and the game program (until it has a window) use it.

#include <istream>
#include <ostream>

namespace console {

// Types each line of `input` into the console until the input ends or an entry closes the
// session ("Quit").
void runConsoleSession(std::istream& input);

// Streams everything the console prints to `output` while the object lives.
class ScopedOutputStream {
 public:
  explicit ScopedOutputStream(std::ostream& output);
  ~ScopedOutputStream();
  ScopedOutputStream(const ScopedOutputStream&) = delete;
  ScopedOutputStream& operator=(const ScopedOutputStream&) = delete;
};

}  // namespace console
