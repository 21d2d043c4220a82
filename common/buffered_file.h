#pragma once
// Whole-file readers. A file is read into memory once and then parsed from there, whether it
// came from the data folder (DiskFile) or was baked into the program (ResourceFile); loaders
// take a BufferedFile& and don't care which. A failure flag is kept instead of exceptions:
// a loader reads a run of fields and checks failed() once at the end. Nothing here prints.

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

class BufferedFile {
 public:
  // Seek origins, numbered as the game's loaders pass them.
  static constexpr int kFromCurrent = 0;
  static constexpr int kFromEnd = 1;
  static constexpr int kFromStart = 2;

  BufferedFile() = default;
  BufferedFile(const BufferedFile&) = delete;
  BufferedFile& operator=(const BufferedFile&) = delete;
  // Releases the memory copy.
  virtual ~BufferedFile();

  // Loads the whole of `name` into memory, dropping whatever was open before. On success the
  // position is at the start and failed() is false; on any failure nothing is held.
  virtual void open(const std::string& name) = 0;
  // Frees the memory copy; the position and size go to 0 and failed() becomes true.
  void close();

  // Bytes held (0 when nothing is open).
  uint32_t size() const { return end_; }
  // Offset of the position from the start.
  uint32_t tell() const { return position_; }
  // A memory copy is held.
  bool isOpen() const { return buffer_.has_value(); }
  // Set by a failed open, read or seek, and by close; only a successful open clears it.
  bool failed() const { return failed_; }
  // Open, not failed, and bytes left to read.
  bool good() const { return isOpen() && !failed_ && position_ < end_; }
  // The byte at the position, for parsing in place; nullptr when nothing is open.
  const unsigned char* current() const;

  // Copies `n` bytes to `destination` and advances. When fewer than `n` bytes are left nothing
  // is copied, the position stays and failed() becomes true.
  void read(void* destination, uint32_t n);
  // Moves to `offset` from the position (kFromCurrent), before the end (kFromEnd) or from the
  // start (kFromStart). A target outside the file is clamped to it and sets failed(); an
  // unknown origin sets failed() and leaves the position.
  void seek(int32_t offset, int origin);

 protected:
  // Takes `bytes` as the file's contents: position 0, failed() false. At most UINT32_MAX bytes.
  void adopt(std::string bytes);

 private:
  std::optional<std::string> buffer_;
  uint32_t position_ = 0;  // offsets from the start, so no pointer ever leaves the buffer
  uint32_t end_ = 0;
  bool failed_ = true;
};

// A file in the data folder, named the way data files name them ("GFX\\Font.TGA").
class DiskFile : public BufferedFile {
 public:
  // The most a BufferedFile can hold; its sizes and positions are 32-bit.
  static constexpr size_t kMaxBytes = std::numeric_limits<uint32_t>::max();

  // Files longer than `maxBytes` (at most kMaxBytes) fail to open; a loader passes what its
  // format can sensibly hold.
  explicit DiskFile(size_t maxBytes = kMaxBytes);

  // Opens `name` through resolveDataPath and reads it whole. Missing, unreadable or empty
  // files, anything but a regular file (a folder, a device, a pipe) and files longer than the
  // cap leave it failed. The file on disk is closed again before this returns.
  void open(const std::string& name) override;

 private:
  size_t maxBytes_;
};

// A resource baked into the program (see common/embedded_resources.h).
class ResourceFile : public BufferedFile {
 public:
  // Copies the resource `name` (any letter case) into memory. A missing or empty resource
  // leaves it failed.
  void open(const std::string& name) override;
};
