#pragma once
// Sets an environment variable for the life of the object and puts the old value back after.
// The store folders (XDG_CONFIG_HOME, XDG_DATA_HOME) are read at every use, so a test points
// them at a temporary folder this way and the player's own files are never touched.

#include <cstdlib>
#include <optional>
#include <string>

class ScopedEnvironment {
 public:
  // nullptr unsets the variable.
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnvironment() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};
