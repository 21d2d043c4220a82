#pragma once
// The per-user preference store the game and the launcher share. It keeps the shape of the
// registry the game was first written for: keys named by paths like
// "Software\Vellmoor\Preferences" holding named values. Each key is a folder below
// $XDG_CONFIG_HOME/vellmoor (or ~/.config/vellmoor), its values one file inside it. Key and
// value names match without regard to ASCII case. Nothing here reports failures: a key that
// can't be opened holds nothing, a value that can't be read reads as "".

#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The longest text a string value holds; longer text is cut on writing and unreadable if a
// store holds it anyway.
constexpr size_t kMaxRegistryStringLength = 4095;

// The folder that holds the store, where the player's own settings files go too; nothing
// when there is no home folder.
std::optional<std::filesystem::path> preferencesFolder();

// One open key of the store, or none.
// The key that holds the game's preferences ("DetailLevel", "Resolution…", "Fullscreen",
// "Sound", "Music").
constexpr std::string_view kPreferencesKeyPath = "software/Vellmoor/Preferences";

class RegistryKey {
 public:
  // Holds no key.
  RegistryKey() = default;
  // Opens the same key again; holds nothing when `other` holds nothing or its key is gone.
  RegistryKey(const RegistryKey& other);
  // Closes this key and opens `other`'s again; when that can't be opened, nothing changes.
  RegistryKey& operator=(const RegistryKey& other);
  // Takes over `other`'s key, leaving `other` with none.
  RegistryKey(RegistryKey&& other) noexcept;
  // Closes this key and takes over `other`'s, leaving `other` with none; when `other` holds
  // no key, nothing changes, as with a copy.
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  // Closes the key.
  ~RegistryKey() = default;

  // The object holds a key.
  bool isOpen() const { return folder_.has_value(); }
  // A value of that name, of any type, exists.
  bool hasValue(std::string_view name) const;
  // The text of the first string value of that name: "" when there is none, it has another
  // type, it holds more than kMaxRegistryStringLength characters, or it can't be read.
  std::string readString(std::string_view name) const;
  // Stores `text`, cut at its first zero byte and to kMaxRegistryStringLength characters, as a
  // string value named exactly `name`, replacing a value of that name. Failure goes unnoticed.
  void writeString(std::string_view name, std::string_view text);

  struct NamedText {
    std::string_view name;
    std::string_view text;
  };
  // Stores each text as writeString does, all in one replacement of the key's values: values
  // that belong together (a window's width and height) are never seen, nor kept after a crash,
  // half old and half new.
  void writeStrings(std::initializer_list<NamedText> texts);

 private:
  explicit RegistryKey(std::filesystem::path folder) : folder_(std::move(folder)) {}

  friend RegistryKey openKeyPath(std::string_view path);
  friend RegistryKey createKeyPath(std::string_view path);

  std::optional<std::filesystem::path> folder_;
};

// The existing key at `path` (pieces split on "/" and "\", empty pieces ignored, "" is the
// store itself); creates nothing and holds no key when a piece doesn't exist. Opening a key
// clears away what writes killed part-way left in it, when no write is under way.
RegistryKey openKeyPath(std::string_view path);
// As openKeyPath, but missing keys, and the store itself, are created on the way. Holds no key
// when one can't be created.
RegistryKey createKeyPath(std::string_view path);
