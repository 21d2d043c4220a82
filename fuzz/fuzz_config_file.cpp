// Any bytes as a configuration file: parsing must never crash, hang or misreport a key.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/config_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto config = ConfigFile::fromText(text);
  if (!config) return 0;
  // Every getter must cope with whatever the file held, under any key.
  for (std::string_view key : {"a", "A", "key", "", "="}) {
    config->getInt(key);
    config->getFloat(key);
    config->getBool(key);
    config->getString(key);
    int32_t number = 0;
    config->read(key, number);
  }
  return 0;
}
