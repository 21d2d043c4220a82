#include "common/config_file.h"

#include <vector>

#include "common/data_path.h"
#include "common/embedded_resources.h"
#include "common/messages.h"
#include "common/regular_file.h"
#include "common/text.h"

// The parser works on a list of tokens: words, and "=" which is always a token of its own.
// Two clean-up walks keep exactly the words that stand beside one "=": first the stray "="
// go (leading, trailing, doubled), then every word that doesn't have exactly one "=" as a
// neighbour. What remains alternates key, "=", value.

namespace {

constexpr std::string_view kEquals = "=";

// The largest settings file we ship is a few kilobytes; a megabyte is hundreds of times that
// and still parses in moments, so anything longer is not a settings file.
constexpr size_t kMaxConfigFileBytes = size_t{1} << 20;

using Tokens = std::vector<std::string_view>;

Tokens tokenise(std::string_view text) {
  Tokens tokens;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (isWordSeparator(c)) {
      ++i;
    } else if (c == '=') {
      tokens.push_back(text.substr(i++, 1));
    } else {
      const size_t start = i;
      while (i < text.size() && !isWordSeparator(text[i]) && text[i] != '=') ++i;
      tokens.push_back(text.substr(start, i - start));
    }
  }
  return tokens;
}

bool isEquals(std::string_view token) {
  return token == kEquals;
}

// Both clean-up walks judge a token against the list as it stands at that moment: the kept
// tokens before it and the untouched ones after it. Compacting in place keeps the kept ones
// at the front, so each walk is linear even for a file of a hundred megabytes.
template <typename KeepRule>
void compact(Tokens& tokens, KeepRule keep) {
  size_t kept = 0;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const std::string_view* before = kept > 0 ? &tokens[kept - 1] : nullptr;
    const std::string_view* after = i + 1 < tokens.size() ? &tokens[i + 1] : nullptr;
    if (keep(tokens[i], before, after)) tokens[kept++] = tokens[i];
  }
  tokens.resize(kept);
}

// Drops "=" tokens that are first, last, or next to another "=".
void dropStrayEquals(Tokens& tokens) {
  compact(tokens, [](std::string_view token, const std::string_view* before,
                     const std::string_view* after) {
    if (!isEquals(token)) return true;
    return before && after && !isEquals(*before) && !isEquals(*after);
  });
}

// Keeps a word only when exactly one of its neighbours is "=".
void dropLonelyWords(Tokens& tokens) {
  compact(tokens, [](std::string_view token, const std::string_view* before,
                     const std::string_view* after) {
    if (isEquals(token)) return true;
    return (before && isEquals(*before)) != (after && isEquals(*after));
  });
}

// The parsed words, key and value in turn; nullopt when their count is odd.
std::optional<std::vector<std::string_view>> parseWords(std::string_view text) {
  // The text ends at the first zero byte.
  text = text.substr(0, text.find('\0'));
  Tokens tokens = tokenise(text);
  dropStrayEquals(tokens);
  dropLonelyWords(tokens);
  std::vector<std::string_view> words;
  for (std::string_view token : tokens) {
    if (!isEquals(token)) words.push_back(token);
  }
  if (words.size() % 2 != 0) return std::nullopt;
  return words;
}

void reportFailure(std::string_view message, std::string_view path) {
  printMessage(message);
  printMessage(messageExcerpt(path));
}

}  // namespace

ConfigFile::ConfigFile(std::string_view path) {
  useShippedCopyIfNeeded(path, load(path));
}

std::optional<ConfigFile> ConfigFile::fromText(std::string_view text) {
  const auto words = parseWords(text);
  if (!words) return std::nullopt;
  ConfigFile config;
  for (size_t i = 0; i < words->size(); i += 2) {
    // A key written twice takes the later value.
    config.values_[upperCased((*words)[i])] = std::string((*words)[i + 1]);
  }
  return config;
}

std::optional<ConfigFile> ConfigFile::shippedCopy(std::string_view path) {
  const EmbeddedResource* shipped =
      path.empty() ? nullptr : findEmbeddedResource(shippedSettingsName(path));
  if (shipped == nullptr) return std::nullopt;
  return fromText({reinterpret_cast<const char*>(shipped->bytes.data()), shipped->bytes.size()});
}

bool ConfigFile::load(std::string_view path) {
  values_.clear();
  if (path.empty()) {
    printMessage("\nError in configuration Loader: no file name given");
    return false;
  }
  // A folder, device or pipe is reported as missing: none of them holds settings, and
  // reading one would fail late, block, or never end.
  const FileContents file = readRegularFile(resolveDataPath(path), kMaxConfigFileBytes);
  if (file.result == FileReadResult::kNotFound) {
    reportFailure("\nCould not open config file: ", path);
    return false;
  }
  if (!file.complete()) {
    reportFailure("\nError reading config file: ", path);
    return false;
  }
  auto parsed = fromText(file.bytes);
  if (!parsed) {
    reportFailure("\nError parsing configuration file: ", path);
    return false;
  }
  values_ = std::move(parsed->values_);
  return true;
}

// A loaded file that shares a key with the shipped copy is a settings file of its kind, even
// when it leaves keys out; one that shares none (empty, or some other text) is not.
void ConfigFile::useShippedCopyIfNeeded(std::string_view path, bool loaded) {
  std::optional<ConfigFile> copy = shippedCopy(path);
  if (!copy) return;
  if (loaded) {
    for (const auto& entry : values_)
      if (copy->values_.contains(entry.first)) return;
    reportFailure("\nNo settings found in config file: ", path);
  }
  reportFailure("\nUsing the shipped settings instead of ", path);
  values_ = std::move(copy->values_);
}

const std::string* ConfigFile::find(std::string_view key) const {
  const auto it = values_.find(upperCased(key));
  return it == values_.end() ? nullptr : &it->second;
}

bool ConfigFile::has(std::string_view key) const {
  return find(key) != nullptr;
}

int32_t ConfigFile::getInt(std::string_view key) const {
  const std::string* value = find(key);
  return value ? toInteger(*value) : 0;
}

bool ConfigFile::getBool(std::string_view key) const {
  const std::string* value = find(key);
  return value && toBoolean(*value);
}

float ConfigFile::getFloat(std::string_view key) const {
  const std::string* value = findNumber(key);
  return value ? toNumber(*value) : 0.0f;
}

std::string ConfigFile::getString(std::string_view key) const {
  const std::string* value = find(key);
  return value ? *value : std::string();
}

void ConfigFile::read(std::string_view key, int32_t& value) const {
  const std::string* text = key.empty() ? nullptr : find(key);
  if (text && isInteger(*text)) value = toInteger(*text);
}

void ConfigFile::read(std::string_view key, float& value) const {
  const std::string* text = key.empty() ? nullptr : findNumber(key);
  if (text && isNumber(*text)) value = toNumber(*text);
}

const std::string* ConfigFile::findNumber(std::string_view key) const {
  const std::string* text = find(key);
  if (text == nullptr || !isNumberOutOfRange(*text)) return text;
  printMessage("\nThe value of ");
  printMessage(key);
  printMessage(" is beyond any number the game takes; the key is left at its default.");
  return nullptr;
}

void ConfigFile::read(std::string_view key, bool& value) const {
  const std::string* text = key.empty() ? nullptr : find(key);
  if (text && isBoolean(*text)) value = toBoolean(*text);
}

void ConfigFile::read(std::string_view key, std::string& value) const {
  const std::string* text = key.empty() ? nullptr : find(key);
  if (text) value = *text;
}

std::string shippedSettingsName(std::string_view path) {
  std::string name = "SHIPPED_";
  for (const char c : path) {
    const bool letterOrDigit =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (letterOrDigit)
      name += c;
    else if (name.back() != '_')
      name += '_';
  }
  return name;
}
