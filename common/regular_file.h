#pragma once
// Every file the game and its tools read or write goes through here, and only regular files
// pass. A folder, a device or a pipe named where a data file belongs behaves exactly like a
// missing file: a folder would otherwise fail half-way through a stream, a pipe would block
// the game for ever, and /dev/zero would fill memory until the game is killed. Each read also
// stops at a cap the caller chooses from what its format can hold, so even a huge regular
// file costs no more than that.
//
// The check is made on the open descriptor (fstat), not on the name, so nothing can be swapped
// in between the check and the read.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// Owns one open file descriptor and closes it when it goes out of scope.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept;
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor();

  int get() const { return fd_; }
  bool isOpen() const { return fd_ >= 0; }
  // Closes now; false when closing fails, which is where some file systems report a failed
  // write.
  bool close();

 private:
  int fd_ = -1;
};

// `path` (symbolic links followed) opened for reading when it is a regular file; holds no
// descriptor when it is missing, unreadable, or anything but a regular file.
FileDescriptor openRegularFile(const std::filesystem::path& path);

enum class FileReadResult {
  kRead,        // the whole file is in `bytes`
  kNotFound,    // missing, unreadable, or not a regular file: callers report it as missing
  kTooLarge,    // longer than the cap; `bytes` holds the first `maxBytes` of it
  kReadFailed,  // opened, but reading failed part-way
};

struct FileContents {
  FileReadResult result = FileReadResult::kNotFound;
  std::string bytes;

  bool complete() const { return result == FileReadResult::kRead; }
};

// Reads the regular file at `path` whole, as long as it holds at most `maxBytes`. A file that
// grows or shrinks while it is read is judged by what was actually read.
FileContents readRegularFile(const std::filesystem::path& path, size_t maxBytes);

// `path` opened for writing from its start, emptied: a new file (permissions from the umask)
// or an existing regular file. Anything else holds no descriptor and is left untouched.
FileDescriptor createRegularFile(const std::filesystem::path& path);

// Makes `path` hold exactly `bytes`, written in place: as createRegularFile, only a new or a
// regular file is written. For outputs that a failed run simply makes again (the generated
// data); saved files the player keeps go through replaceFileAtomically instead.
bool writeRegularFile(const std::filesystem::path& path, std::string_view bytes);

// Nothing is at `path`, or a regular file is (symbolic links followed): the only things a
// saved file may take the place of.
bool isNewOrRegularFile(const std::filesystem::path& path);

// Writes all of `bytes`, carrying on after short writes and interruptions; false on failure.
bool writeAll(int fd, std::string_view bytes);
