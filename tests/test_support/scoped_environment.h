#pragma once
// Sets an environment variable for the life of the object and puts the old value back after:
// tests point XDG_CONFIG_HOME and XDG_DATA_HOME at temporary folders this way.

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

 private:
  const char* name_;
  std::optional<std::string> old_;
};
