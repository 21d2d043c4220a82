#include "common/registry_key.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "common/atomic_file.h"
#include "common/data_path.h"
#include "common/regular_file.h"
#include "common/text.h"
#include "common/user_data_path.h"

namespace fs = std::filesystem;

// The values file starts with kHeader, then holds one record per value:
//   <type> <name length> <name bytes> <data length> <data bytes>\n
// e.g. "string 11 ResolutionX 4 1024\n". The lengths make any name or data byte safe (blanks,
// "=", line breaks, zero bytes) while a file of short strings stays readable.

namespace {

// The leading dot keeps the file out of the way of subkey names, which are plain words.
constexpr std::string_view kValuesFileName = ".values";
constexpr std::string_view kHeader = "vellmoor-preferences 1\n";
constexpr std::string_view kStringType = "string";
constexpr size_t kMaxTypeLength = 16;
// A key holds a handful of short strings; a larger file is not one we wrote, and reading
// stops here so it can't eat memory or time.
constexpr size_t kMaxValuesFileBytes = size_t{4} << 20;

struct Value {
  std::string type;  // "string", or a kind the game only keeps ("dword", "binary", ...)
  std::string name;
  std::string data;
};

bool isDirectory(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

}  // namespace

// Looked up at every open, so a change of XDG_CONFIG_HOME takes effect at once.
std::optional<fs::path> preferencesFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return fs::path(config) / "vellmoor";
  auto home = userHomeFolder();
  if (!home) return std::nullopt;
  return *home / ".config" / "vellmoor";
}

namespace {

// The values file's name is taken in every key; "." and ".." would leave the key.
bool isKeyName(std::string_view piece) {
  return piece != "." && piece != ".." && !equalsIgnoringCase(piece, kValuesFileName) &&
         piece.find('\0') == std::string_view::npos;
}

// The subkey folder `piece` of `parent`. A stray file of that name is not a key and can't
// become one.
std::optional<fs::path> openSubkey(const fs::path& parent, std::string_view piece, bool create) {
  if (!isKeyName(piece)) return std::nullopt;
  if (auto found = findEntryIgnoringCase(parent, piece)) {
    return isDirectory(*found) ? found : std::nullopt;
  }
  if (!create) return std::nullopt;
  const fs::path folder = parent / fs::path(piece);
  std::error_code error;
  fs::create_directory(folder, error);  // the launcher may have created it a moment ago
  return isDirectory(folder) ? std::optional(folder) : std::nullopt;
}

std::optional<fs::path> findKeyFolder(std::string_view path, bool create) {
  std::optional<fs::path> folder = preferencesFolder();
  if (!folder) return std::nullopt;
  if (create) {
    std::error_code error;
    fs::create_directories(*folder, error);
  }
  if (!isDirectory(*folder)) return std::nullopt;
  for (std::string_view piece : splitPathPieces(path)) {
    folder = openSubkey(*folder, piece, create);
    if (!folder) return std::nullopt;
  }
  return folder;
}

// Opening a key again succeeds while its folder is still there.
std::optional<fs::path> reopen(const std::optional<fs::path>& folder) {
  return folder && isDirectory(*folder) ? folder : std::nullopt;
}

// At most the first kMaxValuesFileBytes of a regular file; "" when it is missing, not a regular
// file, or unreadable. Values before the cut still read, as for any damaged store.
std::string readValuesFile(const fs::path& file) {
  return readRegularFile(file, kMaxValuesFileBytes).bytes;
}

// Reads records front to back. The first byte that doesn't fit the format ends the reading;
// the values before it are kept. Every length is checked against the bytes that remain.
class ValuesParser {
 public:
  explicit ValuesParser(std::string_view bytes) : rest_(bytes) {}

  std::vector<Value> parse() {
    std::vector<Value> values;
    if (!take(kHeader)) return values;
    while (!rest_.empty()) {
      std::optional<Value> value = record();
      if (!value) break;
      values.push_back(std::move(*value));
    }
    return values;
  }

 private:
  std::optional<Value> record() {
    const auto type = takeType();
    if (!type || !take(" ")) return std::nullopt;
    const auto name = takeCounted();
    if (!name || !take(" ")) return std::nullopt;
    const auto data = takeCounted();
    if (!data || !take("\n")) return std::nullopt;
    return Value{std::string(*type), std::string(*name), std::string(*data)};
  }

  bool take(std::string_view literal) {
    if (!rest_.starts_with(literal)) return false;
    rest_.remove_prefix(literal.size());
    return true;
  }

  // Lower-case letters and digits, so a damaged file can't invent odd type names.
  std::optional<std::string_view> takeType() {
    size_t length = 0;
    while (length < rest_.size() && length <= kMaxTypeLength &&
           ((rest_[length] >= 'a' && rest_[length] <= 'z') ||
            (rest_[length] >= '0' && rest_[length] <= '9'))) {
      ++length;
    }
    if (length == 0 || length > kMaxTypeLength) return std::nullopt;
    return takeBytes(length);
  }

  // A decimal length, a blank, and that many bytes.
  std::optional<std::string_view> takeCounted() {
    size_t digits = 0;
    size_t length = 0;
    for (; digits < rest_.size() && rest_[digits] >= '0' && rest_[digits] <= '9'; ++digits) {
      length = length * 10 + size_t(rest_[digits] - '0');
      if (length > rest_.size()) return std::nullopt;  // also stops any overflow
    }
    if (digits == 0) return std::nullopt;
    rest_.remove_prefix(digits);
    if (!take(" ") || length > rest_.size()) return std::nullopt;
    return takeBytes(length);
  }

  std::string_view takeBytes(size_t count) {
    const std::string_view taken = rest_.substr(0, count);
    rest_.remove_prefix(count);
    return taken;
  }

  std::string_view rest_;
};

std::vector<Value> loadValues(const fs::path& keyFolder) {
  return ValuesParser(readValuesFile(keyFolder / kValuesFileName)).parse();
}

std::string serialize(const std::vector<Value>& values) {
  std::string bytes(kHeader);
  for (const Value& value : values) {
    bytes += value.type + ' ' + std::to_string(value.name.size()) + ' ' + value.name + ' ' +
             std::to_string(value.data.size()) + ' ' + value.data + '\n';
  }
  return bytes;
}

// The first value of that name without regard to case, as the registry finds them.
std::vector<Value>::iterator findValue(std::vector<Value>& values, std::string_view name) {
  return std::find_if(values.begin(), values.end(),
                      [&](const Value& value) { return equalsIgnoringCase(value.name, name); });
}

// A write killed part-way leaves its temporary file beside the values file; it is cleared away
// when the key is next opened. Every write holds the folder lock while a key's values are
// read, changed and written back, so the game and the launcher writing at the same moment
// don't drop each other's values, and a busy lock means a write is under way this very moment:
// the leftovers then wait for the next open.
void removeLeftoverWrites(const fs::path& keyFolder) {
  const FolderLock lock(keyFolder, FolderLock::Wait::kNo);
  if (lock.held()) removeLeftoverTemporaryFiles(keyFolder / kValuesFileName);
}

// Replaces the value `name` in `values`, or adds it. Only a hand-edited store repeats a name;
// the repeats would hide behind this value anyway, so they go.
void storeString(std::vector<Value>& values, std::string_view name, std::string_view text) {
  text = text.substr(0, text.find('\0')).substr(0, kMaxRegistryStringLength);
  Value written{std::string(kStringType), std::string(name), std::string(text)};
  const auto match = findValue(values, name);
  if (match == values.end()) {
    values.push_back(std::move(written));
    return;
  }
  *match = std::move(written);
  values.erase(
      std::remove_if(match + 1, values.end(),
                     [&](const Value& value) { return equalsIgnoringCase(value.name, name); }),
      values.end());
}

std::optional<fs::path> openKeyFolder(std::string_view path, bool create) {
  auto folder = findKeyFolder(path, create);
  if (folder) removeLeftoverWrites(*folder);
  return folder;
}

}  // namespace

RegistryKey::RegistryKey(const RegistryKey& other) : folder_(reopen(other.folder_)) {}

RegistryKey& RegistryKey::operator=(const RegistryKey& other) {
  if (auto folder = reopen(other.folder_)) folder_ = std::move(folder);
  return *this;
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : folder_(std::exchange(other.folder_, std::nullopt)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other && other.folder_) folder_ = std::exchange(other.folder_, std::nullopt);
  return *this;
}

bool RegistryKey::hasValue(std::string_view name) const {
  if (!folder_) return false;
  std::vector<Value> values = loadValues(*folder_);
  return findValue(values, name) != values.end();
}

std::string RegistryKey::readString(std::string_view name) const {
  if (!folder_) return {};
  std::vector<Value> values = loadValues(*folder_);
  const auto value = findValue(values, name);
  if (value == values.end() || value->type != kStringType) return {};
  std::string text = value->data.substr(0, value->data.find('\0'));
  return text.size() <= kMaxRegistryStringLength ? text : std::string();
}

void RegistryKey::writeString(std::string_view name, std::string_view text) {
  writeStrings({{name, text}});
}

void RegistryKey::writeStrings(std::initializer_list<NamedText> texts) {
  if (!folder_) return;
  const FolderLock lock(*folder_, FolderLock::Wait::kUntilFree);
  std::vector<Value> values = loadValues(*folder_);
  for (const NamedText& text : texts) storeString(values, text.name, text.text);
  replaceFileAtomically(*folder_ / kValuesFileName, serialize(values));
}

RegistryKey openKeyPath(std::string_view path) {
  auto folder = openKeyFolder(path, false);
  return folder ? RegistryKey(std::move(*folder)) : RegistryKey();
}

RegistryKey createKeyPath(std::string_view path) {
  auto folder = openKeyFolder(path, true);
  return folder ? RegistryKey(std::move(*folder)) : RegistryKey();
}
